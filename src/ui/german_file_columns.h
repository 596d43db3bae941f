#pragma once

#include <QIdentityProxyModel>

class QFileDialog;

// Qt's file dialog writes sizes and dates in the desktop's language, not in the window's;
// this proxy writes them in the window's ("1.003 Bytes", "8. Dez. 2026 09:30"), so that the
// whole dialog speaks German like the rest of the program.
namespace vellar::ui {

class GermanFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override;

  // Gives the dialog a proxy of this kind; the dialog keeps it.
  static void Install(QFileDialog& dialog);
};

}  // namespace vellar::ui
