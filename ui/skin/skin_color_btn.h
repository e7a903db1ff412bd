#pragma once

// CSkinColorBtn: a colour-picker button. It shows its colour as a swatch; a click opens a
// popup of swatches with an "Automatic" entry at the top and an "Other" entry at the
// bottom that opens the standard colour dialog. Colours are 32-bit values with red in the
// low byte, as the lighting code keeps them.

#include <QAbstractButton>
#include <QColor>
#include <QFrame>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPushButton;

namespace q804 {

class ColourPopup;

class CSkinColorBtn : public QAbstractButton {
    Q_OBJECT

  public:
    // Asks the user for any colour; nothing when the dialog is cancelled. The default is the
    // standard colour dialog.
    using ColourDialog =
        std::function<std::optional<QColor>(const QColor& initial, QWidget* parent)>;

    explicit CSkinColorBtn(QWidget* parent = nullptr);
    ~CSkinColorBtn() override;

    void SetColour(std::uint32_t colour);
    std::uint32_t Colour() const { return colour_; }
    // The colour reported when "Automatic" is chosen.
    void SetAutomaticColour(std::uint32_t colour) { automatic_ = colour; }
    std::uint32_t AutomaticColour() const { return automatic_; }
    void SetAutomaticEnabled(bool enabled) { automaticEnabled_ = enabled; }
    void SetOtherEnabled(bool enabled) { otherEnabled_ = enabled; }
    bool AutomaticEnabled() const { return automaticEnabled_; }
    bool OtherEnabled() const { return otherEnabled_; }
    void SetEntryTexts(const QString& automatic, const QString& other);
    void SetColourDialog(ColourDialog dialog) { dialog_ = std::move(dialog); }

    // The swatches offered in the popup.
    static const std::vector<std::uint32_t>& Swatches();

    // Opens the popup under the button (what a click does); the popup is returned so that
    // callers and tests can drive it.
    ColourPopup* OpenPopup();
    ColourPopup* Popup() const { return popup_; }

    // What the popup reports: a colour, or nothing for "Automatic".
    void Choose(std::optional<std::uint32_t> colour);
    // "Other": asks the colour dialog; a cancelled dialog changes nothing.
    void ChooseOther();

    QSize sizeHint() const override { return QSize(80, 26); }

  signals:
    // The colour the user picked ("Automatic" gives the automatic colour).
    void colourPicked(std::uint32_t colour);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    std::uint32_t colour_ = 0x000000;
    std::uint32_t automatic_ = 0x000000;
    bool automaticEnabled_ = true;
    bool otherEnabled_ = true;
    bool under_ = false;
    QString automaticText_;
    QString otherText_;
    ColourDialog dialog_;
    QPointer<ColourPopup> popup_;
};

class ColourPopup : public QFrame {
    Q_OBJECT

  public:
    ColourPopup(CSkinColorBtn& owner, const QString& automaticText, const QString& otherText,
                bool automaticEnabled, bool otherEnabled);

    QPushButton* AutomaticEntry() const { return automatic_; }
    QPushButton* OtherEntry() const { return other_; }
    // The swatch buttons in the order of CSkinColorBtn::Swatches().
    const std::vector<QAbstractButton*>& SwatchEntries() const { return swatches_; }

  private:
    QPushButton* automatic_ = nullptr;
    QPushButton* other_ = nullptr;
    std::vector<QAbstractButton*> swatches_;
};

}  // namespace q804
