#pragma once

#include "app/dialogs/OptionsDialog.h"

namespace splot {

// The shape options dialog: modeless, stays on top of the main window.
// Its controls arrive with the shapes code.
class TfrmShapeOptions : public OptionsDialog {
    Q_OBJECT
public:
    TfrmShapeOptions(QWidget* parent, DialogFacade& facade);
    // Brings the controls in line with the settings read at start-up.
    void FormCreate() {}
};

} // namespace splot
