#include "app/splothelp.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace splot {

TForm2::TForm2(QWidget* mainWindow)
    : QDialog(mainWindow, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("About SPLOT"));
    setModal(true);

    Label1 = new QLabel(this);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setText(QStringLiteral("About SPLOT\n"
                                   "SPLOT is a fairly stupid drawing program.\n"
                                   "You are using it right now.\n"
                                   "You can contact its author by emailing:\n"
                                   "\n"
                                   "splot.author@example.org\n"
                                   "\n"
                                   "There is no more about SPLOT."));
    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed single border
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace splot
