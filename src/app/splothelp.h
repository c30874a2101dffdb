#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace splot {

// The About box: shown modally from Help > About SPLOT; OK closes it.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* mainWindow);

    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
};

} // namespace splot
