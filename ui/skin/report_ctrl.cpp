#include "ui/skin/report_ctrl.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace q804 {

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
// The check state last reported, to tell check changes from other changes of a cell.
constexpr int kLastCheckRole = Qt::UserRole + 2;
}  // namespace

CReportCtrl::CReportCtrl(QWidget* parent) : QTableWidget(parent) {
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(22);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    connect(this, &QTableWidget::itemChanged, this, &CReportCtrl::OnItemChanged);
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (editRequested_) {
            editRequested_(row, column);
        }
    });
}

int CReportCtrl::InsertColumn(int column, const QString& title, Qt::Alignment alignment,
                              int width) {
    column = std::clamp(column, 0, columnCount());
    insertColumn(column);
    auto* header = new QTableWidgetItem(title);
    header->setTextAlignment(alignment | Qt::AlignVCenter);
    setHorizontalHeaderItem(column, header);
    setColumnWidth(column, width);
    alignments_.insert(alignments_.begin() + column, alignment);
    columnColours_.insert(columnColours_.begin() + column, QColor());
    return column;
}

QTableWidgetItem* CReportCtrl::CellItem(int row, int column) {
    QTableWidgetItem* cell = item(row, column);
    if (cell == nullptr) {
        cell = new QTableWidgetItem();
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        std::size_t index = static_cast<std::size_t>(column);
        if (index < alignments_.size()) {
            cell->setTextAlignment(alignments_[index] | Qt::AlignVCenter);
        }
        if (index < columnColours_.size() && columnColours_[index].isValid()) {
            cell->setForeground(columnColours_[index]);
        }
        setItem(row, column, cell);
    }
    return cell;
}

int CReportCtrl::InsertItem(int row, const QString& text) {
    EndEdit(false);
    row = std::clamp(row, 0, rowCount());
    updatingChecks_ = true;
    insertRow(row);
    for (int column = 0; column < columnCount(); ++column) {
        QTableWidgetItem* cell = CellItem(row, column);
        if (column == 0) {
            cell->setText(text);
            if (checkboxes_) {
                cell->setFlags(cell->flags() | Qt::ItemIsUserCheckable);
                cell->setCheckState(Qt::Unchecked);
                cell->setData(kLastCheckRole, false);
            }
        }
    }
    updatingChecks_ = false;
    return row;
}

bool CReportCtrl::DeleteItem(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    EndEdit(false);
    removeRow(row);
    return true;
}

void CReportCtrl::DeleteAllItems() {
    EndEdit(false);
    setRowCount(0);
}

void CReportCtrl::SetItemText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return;
    }
    updatingChecks_ = true;
    CellItem(row, column)->setText(text);
    updatingChecks_ = false;
}

QString CReportCtrl::GetItemText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell != nullptr ? cell->text() : QString();
}

void CReportCtrl::SetItemData(int row, const QVariant& value) {
    if (row < 0 || row >= rowCount() || columnCount() == 0) {
        return;
    }
    updatingChecks_ = true;
    CellItem(row, 0)->setData(kDataRole, value);
    updatingChecks_ = false;
}

QVariant CReportCtrl::GetItemData(int row) const {
    const QTableWidgetItem* cell = item(row, 0);
    return cell != nullptr ? cell->data(kDataRole) : QVariant();
}

bool CReportCtrl::MoveItem(int from, int to) {
    if (from < 0 || from >= rowCount()) {
        return false;
    }
    EndEdit(false);
    to = std::clamp(to, 0, rowCount() - 1);
    if (to != from) {
        updatingChecks_ = true;
        std::vector<QTableWidgetItem*> cells;
        for (int column = 0; column < columnCount(); ++column) {
            cells.push_back(takeItem(from, column));
        }
        removeRow(from);
        insertRow(to);
        for (int column = 0; column < columnCount(); ++column) {
            setItem(to, column, cells[static_cast<std::size_t>(column)]);
        }
        updatingChecks_ = false;
    }
    SelectItem(to, true);
    return true;
}

void CReportCtrl::SetFullRowSelect(bool on) {
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
}

void CReportCtrl::SetColumnTextColour(int column, const QColor& colour) {
    if (column < 0 || column >= columnCount()) {
        return;
    }
    columnColours_[static_cast<std::size_t>(column)] = colour;
    updatingChecks_ = true;
    for (int row = 0; row < rowCount(); ++row) {
        CellItem(row, column)->setForeground(colour);
    }
    updatingChecks_ = false;
}

void CReportCtrl::SetCheckboxes(bool on) {
    checkboxes_ = on;
    updatingChecks_ = true;
    for (int row = 0; row < rowCount() && columnCount() > 0; ++row) {
        QTableWidgetItem* cell = CellItem(row, 0);
        if (on) {
            cell->setFlags(cell->flags() | Qt::ItemIsUserCheckable);
            cell->setCheckState(Qt::Unchecked);
            cell->setData(kLastCheckRole, false);
        } else {
            cell->setFlags(cell->flags() & ~Qt::ItemIsUserCheckable);
            cell->setData(Qt::CheckStateRole, QVariant());
        }
    }
    updatingChecks_ = false;
}

void CReportCtrl::SetItemChecked(int row, bool checked) {
    if (!checkboxes_ || row < 0 || row >= rowCount() || columnCount() == 0) {
        return;
    }
    // Goes through the same path as a click, so single-check mode and the callback hold for
    // the program's own changes too.
    CellItem(row, 0)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool CReportCtrl::IsItemChecked(int row) const {
    const QTableWidgetItem* cell = item(row, 0);
    return checkboxes_ && cell != nullptr && cell->checkState() == Qt::Checked;
}

int CReportCtrl::GetFirstCheckedItem() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (IsItemChecked(row)) {
            return row;
        }
    }
    return -1;
}

void CReportCtrl::OnItemChanged(QTableWidgetItem* changed) {
    if (updatingChecks_ || !checkboxes_ || changed == nullptr || changed->column() != 0) {
        return;
    }
    const int row = changed->row();
    const bool checked = changed->checkState() == Qt::Checked;
    QVariant last = changed->data(kLastCheckRole);
    if (last.isValid() && last.toBool() == checked) {
        return;  // a text or data change of the cell, not of its check box
    }
    updatingChecks_ = true;
    changed->setData(kLastCheckRole, checked);
    std::vector<int> cleared;
    if (checked && singleCheck_) {
        for (int other = 0; other < rowCount(); ++other) {
            QTableWidgetItem* cell = item(other, 0);
            if (other != row && cell != nullptr && cell->checkState() == Qt::Checked) {
                cell->setCheckState(Qt::Unchecked);
                cell->setData(kLastCheckRole, false);
                cleared.push_back(other);
            }
        }
    }
    updatingChecks_ = false;
    if (checkChanged_) {
        for (int other : cleared) {
            checkChanged_(other, false);
        }
        checkChanged_(row, checked);
    }
}

int CReportCtrl::GetFirstSelectedItem() const {
    const QList<QTableWidgetItem*> chosen = selectedItems();
    int first = -1;
    for (const QTableWidgetItem* cell : chosen) {
        if (first < 0 || cell->row() < first) {
            first = cell->row();
        }
    }
    return first;
}

void CReportCtrl::SelectItem(int row, bool ensureVisible) {
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    selectRow(row);
    setCurrentCell(row, 0, QItemSelectionModel::NoUpdate);
    if (ensureVisible) {
        scrollToItem(item(row, 0));
    }
}

void CReportCtrl::Place(QWidget& editor, int row, int column) {
    QRect cell = visualRect(model()->index(row, column));
    editor.setParent(viewport());
    editor.setGeometry(cell);
    editor.show();
    editor.setFocus();
    editor.installEventFilter(this);
}

QLineEdit* CReportCtrl::StartNumberEdit(int row, int column) {
    EndEdit(true);
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    scrollToItem(CellItem(row, column));
    auto* edit = new QLineEdit(GetItemText(row, column));
    // Digits only, as a number-only edit field takes them.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    edit->selectAll();
    editRow_ = row;
    editColumn_ = column;
    editor_ = edit;
    Place(*edit, row, column);
    connect(edit, &QLineEdit::returnPressed, this, [this] { EndEdit(true); });
    return edit;
}

QComboBox* CReportCtrl::StartListEdit(int row, int column, const QStringList& entries, int selected,
                                      int visibleRows) {
    EndEdit(true);
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    scrollToItem(CellItem(row, column));
    auto* list = new QComboBox();
    list->addItems(entries);
    list->setMaxVisibleItems(std::max(1, visibleRows));
    list->setCurrentIndex(selected >= 0 && selected < entries.size() ? selected : -1);
    editRow_ = row;
    editColumn_ = column;
    editor_ = list;
    Place(*list, row, column);
    // Choosing an entry ends the edit, as the drop-down list closes.
    connect(list, qOverload<int>(&QComboBox::activated), this, [this](int) { EndEdit(true); });
    return list;
}

void CReportCtrl::EndEdit(bool accept) {
    if (editor_ == nullptr || ending_) {
        return;
    }
    ending_ = true;
    QWidget* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    QString text;
    int index = -1;
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        text = edit->text();
    } else if (auto* list = qobject_cast<QComboBox*>(editor)) {
        index = list->currentIndex();
        text = list->currentText();
    }
    int row = editRow_;
    int column = editColumn_;
    editRow_ = -1;
    editColumn_ = -1;
    editor->hide();
    editor->deleteLater();
    ending_ = false;
    if (accept && editAccepted_ && row >= 0 && row < rowCount()) {
        editAccepted_(row, column, text, index);
    }
    setFocus();
}

void CReportCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 && editRequested_) {
        QModelIndex current = currentIndex();
        if (current.isValid()) {
            editRequested_(current.row(), current.column());
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

bool CReportCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape) {
                EndEdit(false);
                return true;
            }
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                qobject_cast<QComboBox*>(editor_) != nullptr) {
                EndEdit(true);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            // Focus moving into the list's own popup is not leaving the editor.
            auto* list = qobject_cast<QComboBox*>(editor_);
            if (list == nullptr || !list->view()->isVisible()) {
                EndEdit(true);
            }
        }
    }
    return QTableWidget::eventFilter(watched, event);
}

}  // namespace q804
