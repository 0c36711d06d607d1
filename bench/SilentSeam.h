// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A dialog seam that answers nothing and opens no dialog, for benchmarks of
// the real window.

#include "ui/DialogSeam.h"

namespace bench {

class SilentSeam : public DialogSeam {
  public:
    void showMessage(QWidget*, const QString&, const QString&, Icon, const QString&) override {}
    void showGameInfo(QWidget*, const GameInfo&, const QString&) override {}
    std::optional<QString> askText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> chooseFile(QWidget*, const QString&, const QString&,
                                      const QString&) override {
        return std::nullopt;
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontRequest&) override {
        return std::nullopt;
    }
    void beginProgress(QWidget*, const QString&, std::function<void()>) override {}
    void updateProgress(const QString&, qint64, qint64) override {}
    void endProgress() override {}
    std::optional<ShowChoices> chooseNarrowing(QWidget*, const NarrowOffer&) override {
        return std::nullopt;
    }
    bool openInEditor(const QString&) override { return false; }
    void hideWindow(QWidget*) override {}
    void showWindow(QWidget*) override {}
};

} // namespace bench
