#pragma once

// CAboutDlg: the about box, modeless and without a parent, one at a time.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>

#include "ui/skin/hyperlink.h"

namespace q804 {

class LanguageTables;

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kIdLink = 1124;
    static constexpr int kIdBanquan = 1205;
    static constexpr int kIdJieshao = 1206;

    CAboutDlg(LanguageTables& language, const QString& link, std::function<void()> openHelp,
              CHyperLink::Opener opener);

    // Sets every text again in the language at the given position.
    void Relabel(int languageIndex);

    QLabel& Description() { return *description_; }
    QLabel& Copyright() { return *copyright_; }
    QPushButton& OkButton() { return *ok_; }
    CHyperLink& Link() { return *link_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    LanguageTables& language_;
    QLabel* description_;
    QLabel* copyright_;
    CHyperLink* link_;
    QPushButton* ok_;
    std::function<void()> openHelp_;
};

}  // namespace q804
