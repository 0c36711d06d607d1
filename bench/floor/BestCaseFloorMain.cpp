// SPDX-License-Identifier: GPL-2.0-or-later
// The best-case floor of the start-up benchmark: the fastest plain Qt program
// that shows the same games. It reads the database file into one buffer and
// keeps, per line, where its description (the text before the line's first
// "|") lies in it; a minimal list model gives a row's description as a
// QString only when the view asks for it, and a QListView of uniform item
// sizes, of the front end's list size, shows them, with row ROW selected and
// scrolled to. Nothing is checked and nothing else is kept.
//
//   coinslot_bestfloor DATABASE [ROW]
#include <QAbstractListModel>
#include <QApplication>
#include <QFile>
#include <QListView>
#include <cstring>
#include <vector>

namespace {

class DescriptionModel : public QAbstractListModel {
  public:
    explicit DescriptionModel(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        m_bytes = file.readAll();
        const char* const data = m_bytes.constData();
        const qsizetype size = m_bytes.size();
        for (qsizetype start = 0; start < size;) {
            const auto* newline =
                static_cast<const char*>(std::memchr(data + start, '\n', size - start));
            const qsizetype end = newline ? newline - data : size;
            const auto* bar = static_cast<const char*>(std::memchr(data + start, '|', end - start));
            m_rows.push_back({static_cast<quint32>(start),
                              static_cast<quint32>((bar ? bar - data : end) - start)});
            start = end + 1;
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        const Row& row = m_rows[static_cast<size_t>(index.row())];
        return QString::fromUtf8(m_bytes.constData() + row.start, row.length);
    }

  private:
    struct Row {
        quint32 start;
        quint32 length;
    };
    QByteArray m_bytes;
    std::vector<Row> m_rows;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    DescriptionModel model(QString::fromLocal8Bit(argv[1]));
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(353, 247); // the front end's list at 96 dpi
    const QModelIndex row = model.index(argc > 2 ? std::atoi(argv[2]) : 0);
    view.setCurrentIndex(row);
    view.scrollTo(row);
    view.show();
    return app.exec();
}
