#pragma once

// CReportCtrl: the list control of the dialogs: columns with fixed headers, grid lines,
// full-row selection, an optional check box per row (optionally only one checked at a
// time, with a callback on every change) and in-place editing of one cell with a
// number-only edit field or a drop-down list.
//
// The list does not decide what an edit means: it reports the accepted text (and, for a
// drop-down list, the chosen position) to its owner, which sets the cell.

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QVariant>
#include <functional>

class QComboBox;
class QLineEdit;

namespace q804 {

class CReportCtrl : public QTableWidget {
    Q_OBJECT

  public:
    using CheckChanged = std::function<void(int row, bool checked)>;
    using EditRequested = std::function<void(int row, int column)>;
    // text: the edit field's text or the chosen entry's text; listIndex: the chosen
    // position of a drop-down list (-1 for an edit field).
    using EditAccepted =
        std::function<void(int row, int column, const QString& text, int listIndex)>;

    explicit CReportCtrl(QWidget* parent = nullptr);

    int InsertColumn(int column, const QString& title, Qt::Alignment alignment, int width);
    // Inserts a row with the first cell's text; returns its index. A row index beyond the
    // end appends.
    int InsertItem(int row, const QString& text);
    int AppendItem(const QString& text) { return InsertItem(rowCount(), text); }
    bool DeleteItem(int row);
    void DeleteAllItems();
    int GetItemCount() const { return rowCount(); }
    void SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    // A value carried by the row (it moves with the row).
    void SetItemData(int row, const QVariant& value);
    QVariant GetItemData(int row) const;
    // Moves a row with its texts, data and check state; the row stays selected.
    bool MoveItem(int from, int to);

    void SetGridLines(bool on) { setShowGrid(on); }
    void SetFullRowSelect(bool on);
    void SetColumnTextColour(int column, const QColor& colour);

    // Check boxes in the first column.
    void SetCheckboxes(bool on);
    void SetSingleCheck(bool on) { singleCheck_ = on; }
    void SetCheckChangedCallback(CheckChanged callback) { checkChanged_ = std::move(callback); }
    void SetItemChecked(int row, bool checked);
    bool IsItemChecked(int row) const;
    int GetFirstCheckedItem() const;

    int GetFirstSelectedItem() const;
    void SelectItem(int row, bool ensureVisible = true);

    // In-place editing. A double-click on a cell or F2 asks the owner, which may start one
    // of the two editors; Enter or leaving the editor accepts, Esc cancels.
    void SetEditRequestCallback(EditRequested callback) { editRequested_ = std::move(callback); }
    void SetEditAcceptedCallback(EditAccepted callback) { editAccepted_ = std::move(callback); }
    QLineEdit* StartNumberEdit(int row, int column);
    QComboBox* StartListEdit(int row, int column, const QStringList& entries, int selected,
                             int visibleRows);
    bool IsEditing() const { return editor_ != nullptr; }
    // Ends a running edit; `accept` reports it first.
    void EndEdit(bool accept);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnItemChanged(QTableWidgetItem* item);
    QTableWidgetItem* CellItem(int row, int column);
    void Place(QWidget& editor, int row, int column);

    bool checkboxes_ = false;
    bool singleCheck_ = false;
    bool updatingChecks_ = false;
    std::vector<Qt::Alignment> alignments_;
    std::vector<QColor> columnColours_;
    CheckChanged checkChanged_;
    EditRequested editRequested_;
    EditAccepted editAccepted_;
    QPointer<QWidget> editor_;
    int editRow_ = -1;
    int editColumn_ = -1;
    bool ending_ = false;
};

}  // namespace q804
