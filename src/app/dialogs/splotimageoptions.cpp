#include "app/dialogs/splotimageoptions.h"

#include "app/splot.h"

namespace splot {

TfrmImageOptions::TfrmImageOptions(TForm1& form)
    : QDialog(&form, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      form_(form) {
    setObjectName(QStringLiteral("frmImageOptions"));
    setWindowTitle(QStringLiteral("SPLOT Image Options"));
    setModal(true);
    static_cast<void>(form_);
}

} // namespace splot
