#pragma once

// The questions and notices the main window puts to the user, and the file dialogs. The
// window asks through this interface so that tests can answer in its place.

#include <QString>

class QWidget;

namespace q804 {

class Prompter {
  public:
    virtual ~Prompter() = default;

    // A notice with an OK button.
    virtual void Message(const QString& text, const QString& title) = 0;
    // OK / Cancel; true for OK. `english` asks for English button texts whatever the
    // desktop's language (the firmware prompt).
    virtual bool OkCancel(const QString& text, const QString& title, bool english) = 0;
    // Yes / No with No preselected; true for Yes.
    virtual bool YesNo(const QString& text) = 0;
    // The chosen file, or an empty text when the user cancelled.
    virtual QString OpenFile(const QString& filter) = 0;
    // The chosen file (with the default suffix added when it has none), or an empty text.
    virtual QString SaveFile(const QString& filter, const QString& defaultSuffix) = 0;
};

// Message boxes and file dialogs of the desktop.
class DialogPrompter : public Prompter {
  public:
    explicit DialogPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void Message(const QString& text, const QString& title) override;
    bool OkCancel(const QString& text, const QString& title, bool english) override;
    bool YesNo(const QString& text) override;
    QString OpenFile(const QString& filter) override;
    QString SaveFile(const QString& filter, const QString& defaultSuffix) override;

  private:
    QWidget* parent_;
};

// The filter of the profile-file dialogs, turned from the "(*.fwc)|*.fwc|(*.*)|*.*||" form
// into the desktop's form.
QString ProfileFileFilter();

}  // namespace q804
