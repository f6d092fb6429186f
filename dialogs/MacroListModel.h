#pragma once
// The macro names of the profile as a list model, one row per macro in list
// order. The model reads the live list; Refresh() announces any change.

#include "model/Profile.h"

#include <QAbstractListModel>

namespace pad {

class MacroListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit MacroListModel(const MacroList& macros, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Call after the macro list changed.
    void Refresh();

  private:
    const MacroList& macros_;
    int rows_ = 0; // the count the views were last told about
};

} // namespace pad
