#include "ui/skin/skin_style.h"

#include <QString>

namespace q804::style {
namespace {

QString Hex(std::uint32_t rgb) {
    return QStringLiteral("#%1").arg(rgb & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

}  // namespace

QString DarkControlStyleSheet() {
    QString sheet = QStringLiteral(R"(
QComboBox, QLineEdit {
    background: @field; color: @text; border: 1px solid @fieldBorder; border-radius: 5px;
    padding: 2px 8px; selection-background-color: @selection; selection-color: #ffffff;
}
QComboBox:hover, QLineEdit:hover { border-color: #4b5262; }
QComboBox:focus, QLineEdit:focus { border-color: @accent; }
QComboBox:disabled, QLineEdit:disabled { color: @disabled; border-color: #2a2e37; }
QComboBox::drop-down { border: none; width: 22px; }
QComboBox QAbstractItemView {
    background: #1b1e24; color: @text; border: 1px solid @fieldBorder; outline: 0;
    selection-background-color: @selection; selection-color: #ffffff;
}
QTableView {
    background: @field; alternate-background-color: #15171c; color: @text;
    border: 1px solid @fieldBorder; border-radius: 5px; gridline-color: @grid;
    selection-background-color: @selection; selection-color: #ffffff; outline: 0;
}
QHeaderView { background: #22262e; border: none; }
QTableCornerButton::section { background: #22262e; border: none; }
QHeaderView::section {
    background: #22262e; color: @dim; border: none; border-right: 1px solid @grid;
    border-bottom: 1px solid @grid; padding: 3px 6px;
}
QTableView QLineEdit, QTableView QComboBox { border-radius: 0; padding: 0 4px; }
QCheckBox { color: @static; spacing: 6px; }
QCheckBox::indicator, QTableView::indicator {
    width: 14px; height: 14px; border: 1px solid #4b5262; border-radius: 3px; background: @field;
}
QCheckBox::indicator:hover, QTableView::indicator:hover { border-color: @accent; }
QCheckBox::indicator:checked, QTableView::indicator:checked {
    background: @accent; border-color: @accent;
    image: none;
}
QScrollBar:vertical { background: transparent; width: 10px; margin: 2px; }
QScrollBar::handle:vertical { background: #3a3f4b; border-radius: 3px; min-height: 24px; }
QScrollBar::handle:vertical:hover { background: #4b5262; }
QScrollBar::add-line, QScrollBar::sub-line { height: 0; width: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: transparent; }
QScrollBar:horizontal { background: transparent; height: 10px; margin: 2px; }
QScrollBar::handle:horizontal { background: #3a3f4b; border-radius: 3px; min-width: 24px; }
QMenu {
    background: #1e2128; color: @text; border: 1px solid @fieldBorder; padding: 4px;
}
QMenu::item { padding: 6px 22px 6px 14px; border-radius: 4px; }
QMenu::item:selected { background: @selection; color: #ffffff; }
QMenu::item:disabled { color: @disabled; }
QMenu::separator { height: 1px; background: @grid; margin: 4px 8px; }
QToolTip {
    background: #23272f; color: @text; border: 1px solid @fieldBorder; padding: 4px 6px;
}
)");
    sheet.replace(QStringLiteral("@fieldBorder"), Hex(kFieldBorder));
    sheet.replace(QStringLiteral("@field"), Hex(kFieldBase));
    sheet.replace(QStringLiteral("@text"), Hex(kText));
    sheet.replace(QStringLiteral("@dim"), Hex(kTextDim));
    sheet.replace(QStringLiteral("@disabled"), Hex(kTextDisabled));
    sheet.replace(QStringLiteral("@selection"), Hex(kSelection));
    sheet.replace(QStringLiteral("@accent"), Hex(kAccent));
    sheet.replace(QStringLiteral("@grid"), Hex(kGrid));
    sheet.replace(QStringLiteral("@static"), Hex(kStaticText));
    return sheet;
}

}  // namespace q804::style
