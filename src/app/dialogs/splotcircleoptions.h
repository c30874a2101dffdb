#pragma once

#include <QDialog>

namespace splot {

class TForm1;

// The circle options dialog: modeless, stays on top of the main window.
// Its controls arrive with the circle drawing code.
class TfrmCircleOptions : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCircleOptions(TForm1& form);
    // Brings the controls in line with the settings read at start-up.
    void FormCreate() {}

private:
    TForm1& form_;
};

} // namespace splot
