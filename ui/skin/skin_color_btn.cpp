#include "ui/skin/skin_color_btn.h"

#include <QColorDialog>
#include <QEnterEvent>
#include <QGridLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/skin/png_button.h"
#include "ui/skin/skin_style.h"

namespace q804 {
namespace {

// One swatch of the popup.
class SwatchButton : public QAbstractButton {
  public:
    SwatchButton(std::uint32_t colour, QWidget* parent) : QAbstractButton(parent), colour_(colour) {
        setFixedSize(20, 20);
        setCursor(Qt::PointingHandCursor);
        setToolTip(ColourFromRef(colour).name());
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(
            QPen(underMouse() ? QColor::fromRgb(style::kAccent) : QColor(0x4A, 0x50, 0x5D),
                 underMouse() ? 2 : 1));
        painter.setBrush(ColourFromRef(colour_));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

  private:
    std::uint32_t colour_;
};

// Colours are written 0xRRGGBB here for reading; stored with red in the low byte.
std::uint32_t Ref(std::uint32_t rgb) {
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

}  // namespace

const std::vector<std::uint32_t>& CSkinColorBtn::Swatches() {
    static const std::vector<std::uint32_t> swatches = [] {
        const std::uint32_t rgb[] = {
            0x000000, 0x993300, 0x333300, 0x003300, 0x003366, 0x000080, 0x333399, 0x333333,
            0x800000, 0xFF6600, 0x808000, 0x008000, 0x008080, 0x0000FF, 0x666699, 0x808080,
            0xFF0000, 0xFF9900, 0x99CC00, 0x339966, 0x33CCCC, 0x3366FF, 0x800080, 0x999999,
            0xFF00FF, 0xFFCC00, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x00CCFF, 0x993366, 0xC0C0C0,
            0xFF99CC, 0xFFCC99, 0xFFFF99, 0xCCFFCC, 0xCCFFFF, 0x99CCFF, 0xCC99FF, 0xFFFFFF,
        };
        std::vector<std::uint32_t> out;
        for (std::uint32_t c : rgb) {
            out.push_back(Ref(c));
        }
        return out;
    }();
    return swatches;
}

CSkinColorBtn::CSkinColorBtn(QWidget* parent)
    : QAbstractButton(parent),
      automaticText_(QStringLiteral("Automatic")),
      otherText_(QStringLiteral("Other...")),
      dialog_([](const QColor& initial, QWidget* owner) -> std::optional<QColor> {
          QColor chosen = QColorDialog::getColor(initial, owner);
          if (!chosen.isValid()) {
              return std::nullopt;
          }
          return chosen;
      }) {
    setCursor(Qt::PointingHandCursor);
    connect(this, &QAbstractButton::clicked, this, [this] { OpenPopup(); });
}

CSkinColorBtn::~CSkinColorBtn() {
    if (popup_) {
        delete popup_.data();
    }
}

void CSkinColorBtn::SetColour(std::uint32_t colour) {
    colour_ = colour & 0xFFFFFF;
    update();
}

void CSkinColorBtn::SetEntryTexts(const QString& automatic, const QString& other) {
    automaticText_ = automatic;
    otherText_ = other;
}

ColourPopup* CSkinColorBtn::OpenPopup() {
    if (popup_) {
        delete popup_.data();
    }
    popup_ = new ColourPopup(*this, automaticText_, otherText_, automaticEnabled_, otherEnabled_);
    popup_->setAttribute(Qt::WA_DeleteOnClose);
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    return popup_;
}

void CSkinColorBtn::Choose(std::optional<std::uint32_t> colour) {
    if (popup_) {
        popup_->close();
    }
    std::uint32_t picked = colour.value_or(automatic_) & 0xFFFFFF;
    SetColour(picked);
    emit colourPicked(picked);
}

void CSkinColorBtn::ChooseOther() {
    if (popup_) {
        popup_->close();
    }
    if (!otherEnabled_ || !dialog_) {
        return;
    }
    std::optional<QColor> chosen = dialog_(ColourFromRef(colour_), this);
    if (chosen && chosen->isValid()) {
        Choose(RefFromColour(*chosen));
    }
}

void CSkinColorBtn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QRectF body = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor border = !isEnabled()           ? QColor(0x2C, 0x30, 0x38)
                    : (under_ || isDown()) ? QColor::fromRgb(style::kAccent)
                                           : QColor::fromRgb(style::kFieldBorder);
    painter.setPen(QPen(border, 1));
    painter.setBrush(QColor::fromRgb(style::kFieldBase));
    painter.drawRoundedRect(body, 5, 5);
    QRectF swatch(4, 4, std::max(4.0, width() - 26.0), height() - 8);
    painter.setPen(QPen(QColor(0, 0, 0, 120), 1));
    painter.setBrush(isEnabled() ? ColourFromRef(colour_) : ColourFromRef(colour_).darker(250));
    painter.drawRoundedRect(swatch, 3, 3);
    // The drop-down mark.
    QPointF c(width() - 11, height() / 2.0 + 1);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(style::kTextDim));
    painter.drawPolygon(QPolygonF()
                        << c + QPointF(-4, -2.5) << c + QPointF(4, -2.5) << c + QPointF(0, 2.5));
}

void CSkinColorBtn::enterEvent(QEnterEvent*) {
    under_ = true;
    update();
}

void CSkinColorBtn::leaveEvent(QEvent*) {
    under_ = false;
    update();
}

ColourPopup::ColourPopup(CSkinColorBtn& owner, const QString& automaticText,
                         const QString& otherText, bool automaticEnabled, bool otherEnabled)
    : QFrame(nullptr, Qt::Popup) {
    setObjectName(QStringLiteral("ColourPopup"));
    setStyleSheet(QStringLiteral(
        "#ColourPopup { background: #1e2128; border: 1px solid #3a3f4b; }"
        "QPushButton { background: #2a2e37; color: #eceef3; border: 1px solid #3a3f4b;"
        " border-radius: 4px; padding: 4px; }"
        "QPushButton:hover { border-color: #1fb5ff; }"
        "QPushButton:disabled { color: #5a606c; background: #22252b; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    automatic_ = new QPushButton(automaticText, this);
    automatic_->setEnabled(automaticEnabled);
    layout->addWidget(automatic_);
    connect(automatic_, &QPushButton::clicked, &owner, [&owner] { owner.Choose(std::nullopt); });
    auto* grid = new QGridLayout();
    grid->setSpacing(2);
    const auto& colours = CSkinColorBtn::Swatches();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        auto* swatch = new SwatchButton(colours[i], this);
        grid->addWidget(swatch, static_cast<int>(i / 8), static_cast<int>(i % 8));
        std::uint32_t colour = colours[i];
        connect(swatch, &QAbstractButton::clicked, &owner,
                [&owner, colour] { owner.Choose(colour); });
        swatches_.push_back(swatch);
    }
    layout->addLayout(grid);
    other_ = new QPushButton(otherText, this);
    other_->setEnabled(otherEnabled);
    layout->addWidget(other_);
    connect(other_, &QPushButton::clicked, &owner, [&owner] { owner.ChooseOther(); });
}

}  // namespace q804
