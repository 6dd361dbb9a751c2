#include "ListBoxAccessible.h"

#include "ListBox.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace framework {
namespace {

class RowAccessible final : public QAccessibleInterface {
public:
    RowAccessible(ListBox* list, int row) : List(list), Row(row) {}

    bool isValid() const override { return !List.isNull() && Row < List->RowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return List->window()->windowHandle(); }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(List.data());
    }
    QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? List->Text(Row) : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    QRect rect() const override
    {
        const QRect local = List->RowRect(Row);
        return {List->viewport()->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.selected = List->ListIndex() == Row;
        state.focused = List->hasFocus() && List->CurrentRow() == Row;
        state.offscreen = !List->viewport()->rect().intersects(List->RowRect(Row));
        return state;
    }

    int RowIndex() const { return Row; }

private:
    QPointer<ListBox> List;
    int Row;
};

class ListBoxAccessible final : public QAccessibleWidget {
public:
    explicit ListBoxAccessible(ListBox* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~ListBoxAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(RowIds)) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    ListBoxAccessible(const ListBoxAccessible&) = delete;
    ListBoxAccessible& operator=(const ListBoxAccessible&) = delete;

    int childCount() const override { return List()->RowCount(); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        const auto known = RowIds.constFind(index);
        if (known != RowIds.constEnd()) {
            return QAccessible::accessibleInterface(*known);
        }
        auto* row = new RowAccessible(List(), index);
        RowIds.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child == nullptr || child->role() != QAccessible::ListItem || child->parent() != this) {
            return -1;
        }
        return static_cast<const RowAccessible*>(child)->RowIndex();
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        return child(List()->RowAt(List()->viewport()->mapFromGlobal(QPoint(x, y))));
    }

    QAccessibleInterface* focusChild() const override
    {
        return List()->hasFocus() ? child(List()->CurrentRow()) : nullptr;
    }

private:
    ListBox* List() const { return static_cast<ListBox*>(widget()); }

    mutable QHash<int, QAccessible::Id> RowIds;
};

QAccessibleInterface* CreateForListBox(const QString& /*className*/, QObject* object)
{
    if (auto* list = dynamic_cast<ListBox*>(object)) {
        return new ListBoxAccessible(list);
    }
    return nullptr;
}

} // namespace

void InstallListBoxAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(CreateForListBox);
        return true;
    }();
    (void)installed;
}

} // namespace framework
