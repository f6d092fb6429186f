#include "dialogs/MacroListModel.h"

#include "texts/qt/QtUtf16.h"

namespace pad {

MacroListModel::MacroListModel(const MacroList& macros, QObject* parent)
    : QAbstractListModel(parent), macros_(macros), rows_(int(macros.count())) {}

int MacroListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant MacroListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= int(macros_.count()))
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return FromU16(macros_.macroAt(std::size_t(index.row())).name);
    return {};
}

void MacroListModel::Refresh() {
    beginResetModel();
    rows_ = int(macros_.count());
    endResetModel();
}

} // namespace pad
