#include "ui/main/about_box.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "lang/language.h"
#include "ui/main/app_icons.h"

namespace q804 {

CAboutDlg::CAboutDlg(LanguageTables& language, const QString& link, std::function<void()> openHelp,
                     CHyperLink::Opener opener)
    : QDialog(nullptr),
      language_(language),
      description_(new QLabel(this)),
      copyright_(new QLabel(this)),
      link_(new CHyperLink(this)),
      ok_(new QPushButton(this)),
      openHelp_(std::move(openHelp)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowIcon(AppIcon(128));
    description_->setWordWrap(true);
    copyright_->setWordWrap(true);
    link_->SetUrl(link);
    if (opener) {
        link_->SetOpener(std::move(opener));
    }
    auto* layout = new QVBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(AppIcon(141).pixmap(48, 48));
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(description_);
    layout->addWidget(copyright_);
    layout->addWidget(link_);
    layout->addWidget(ok_, 0, Qt::AlignRight);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(360);
}

void CAboutDlg::Relabel(int languageIndex) {
    auto text = [&](const char* key) {
        return QString::fromStdString(language_.LangText(key, languageIndex));
    };
    setWindowTitle(text("LANG_ABOUT_TITLE"));
    description_->setText(text("GUANYU_JIESHAO"));
    copyright_->setText(text("GUANYU_BANQUAN"));
    ok_->setText(text("LANG_ABOUT_OK"));
}

void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && openHelp_) {
        openHelp_();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace q804
