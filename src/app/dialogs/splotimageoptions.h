#pragma once

#include "app/dialogs/OptionsDialog.h"

namespace splot {

// The image options dialog (new image size, resize): modal.
// Its controls arrive with the new-image code.
class TfrmImageOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmImageOptions(QWidget* parent, DialogFacade& facade);
    void FormCreate() {}
};

} // namespace splot
