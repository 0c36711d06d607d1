#pragma once

#include <QAbstractListModel>

class FrontEnd;

// The list's view of the front end's shown table: row k is record k, showing
// its description. It reads the table in place and resets on the front end's
// signal, so the list and the table cannot drift apart.
class GameListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit GameListModel(const FrontEnd& frontEnd, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    const FrontEnd& m_frontEnd;
};
