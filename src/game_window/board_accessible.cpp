#include "game_window/board_accessible.h"

#include "game_window/cell_edit.h"
#include "lang/accessible_words.h"

#include <QAccessibleWidget>

namespace {

constexpr int side = 9;

// A cell: editable text when open, read-only when locked, at its place in the table.
class CellAccessible final : public QAccessibleWidget,
                             public QAccessibleTextInterface,
                             public QAccessibleTableCellInterface {
public:
    explicit CellAccessible(CellEdit *cell)
        : QAccessibleWidget(cell, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name)
            return cell()->spokenName();
        return t == QAccessible::Value ? cell()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = cell()->isEnabled();
        state.readOnly = !cell()->isEnabled();
        state.disabled = false; // a locked cell is read-only, still there to be read
        return state;
    }

    // The text of one digit, with the caret and no selection.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return cell()->cursorPosition(); }
    void setCursorPosition(int position) override { cell()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return cell()->text().mid(start, end - start);
    }
    int characterCount() const override { return int(cell()->text().size()); }
    QRect characterRect(int) const override { return rect(); }
    int offsetAtPoint(const QPoint &) const override { return 0; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return cell()->index() % side; }
    int rowIndex() const override { return cell()->index() / side; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    CellEdit *cell() const { return static_cast<CellEdit *>(widget()); }
};

// The board's frame as a table of its cells, which are its children in index order.
class BoardAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardAccessible(QWidget *board)
        : QAccessibleWidget(board, QAccessible::Table) {}

    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return modLangue::AccessibleText(modLangue::Word::Board);
        return QAccessibleWidget::text(t);
    }

    QAccessibleInterface *cellAt(int row, int column) const override {
        if (row < 0 || row >= side || column < 0 || column >= side)
            return nullptr;
        return QAccessible::queryAccessibleInterface(widget()->findChild<CellEdit *>(
            QStringLiteral("txtCh_%1").arg(row * side + column), Qt::FindDirectChildrenOnly));
    }
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    int columnCount() const override { return side; }
    int rowCount() const override { return side; }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedCellCount() const override { return 0; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}
};

} // namespace

QAccessibleInterface *BoardAccessibleFactory(const QString &className, QObject *object) {
    if (className == QLatin1String("CellEdit"))
        return new CellAccessible(static_cast<CellEdit *>(object));
    if (className == QLatin1String("QFrame") && object->objectName() == QLatin1String("fraGrille"))
        return new BoardAccessible(static_cast<QWidget *>(object));
    if (className == QLatin1String("Announcer"))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}
