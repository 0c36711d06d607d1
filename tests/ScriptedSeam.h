// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

// A dialog seam driven by a script: each dialog takes the next prepared
// answer (none left means Cancel), and everything asked is recorded.

#include "QtPrinters.h"
#include "TestFolders.h"
#include "ui/DialogSeam.h"

#include <QWidget>
#include <deque>
#include <functional>
#include <vector>

class ScriptedSeam : public DialogSeam {
  public:
    struct Message {
        QString text, title;
        Icon icon;
        QString details;
        bool ownerShown; // the window it belongs to was visible
    };
    struct Prompt {
        QString prompt, title, defaultText;
    };
    struct Progress {
        QString text;
        qint64 value, total;
    };

    std::vector<Message> messages;
    std::vector<GameInfo> infos; // each also a message, without a text
    std::deque<std::optional<QString>> fileAnswers;
    std::vector<QString> fileTitles;
    std::vector<QString> fileFolders; // where each file dialog opened
    std::deque<std::optional<QString>> textAnswers;
    std::vector<Prompt> prompts;
    std::deque<std::optional<FontChoice>> fontAnswers;
    std::vector<FontRequest> fontRequests;
    std::vector<QString> progressTitles; // one per progress dialog opened
    std::vector<Progress> progress;
    bool progressOpen = false;
    std::function<void()> cancelProgress; // presses the open dialog's Cancel
    std::vector<QString> opened;
    bool openSucceeds = true;
    std::vector<NarrowOffer> offers;
    // Each answer is made from the offer it answers; none left means Cancel.
    std::deque<std::function<std::optional<ShowChoices>(const NarrowOffer&)>> narrowAnswers;

    void showMessage(QWidget* owner, const QString& text, const QString& title, Icon icon,
                     const QString& details = {}) override {
        messages.push_back({text, title, icon, details, owner && owner->isVisible()});
    }
    void showGameInfo(QWidget* owner, const GameInfo& info, const QString& title) override {
        messages.push_back({{}, title, Icon::Information, {}, owner && owner->isVisible()});
        infos.push_back(info);
    }
    std::optional<QString> askText(QWidget*, const QString& prompt, const QString& title,
                                   const QString& defaultText) override {
        prompts.push_back({prompt, title, defaultText});
        return next(textAnswers);
    }
    std::optional<QString> chooseFile(QWidget*, const QString& title, const QString&,
                                      const QString& folder) override {
        fileTitles.push_back(title);
        fileFolders.push_back(folder);
        return next(fileAnswers);
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontRequest& request) override {
        fontRequests.push_back(request);
        return next(fontAnswers);
    }
    void beginProgress(QWidget*, const QString& title, std::function<void()> onCancel) override {
        progressTitles.push_back(title);
        progressOpen = true;
        cancelProgress = std::move(onCancel);
    }
    void updateProgress(const QString& text, qint64 value, qint64 total) override {
        progress.push_back({text, value, total});
    }
    void endProgress() override {
        progressOpen = false;
        cancelProgress = nullptr;
    }
    std::optional<ShowChoices> chooseNarrowing(QWidget*, const NarrowOffer& offer) override {
        offers.push_back(offer);
        if (narrowAnswers.empty())
            return std::nullopt;
        auto answer = std::move(narrowAnswers.front());
        narrowAnswers.pop_front();
        return answer(offer);
    }
    bool openInEditor(const QString& path) override {
        opened.push_back(path);
        return openSucceeds;
    }
    void hideWindow(QWidget* w) override { w->hide(); }
    void showWindow(QWidget* w) override { w->show(); }

  private:
    template <class T> static std::optional<T> next(std::deque<std::optional<T>>& answers) {
        if (answers.empty())
            return std::nullopt;
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
