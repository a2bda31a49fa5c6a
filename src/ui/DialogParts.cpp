#include "ui/DialogParts.h"

#include <QDialog>
#include <QLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Language.h"

namespace lindor::ui {

OkCancelButtons makeOkCancel(QDialog& dialog) {
    OkCancelButtons buttons;
    buttons.ok = new QPushButton(QStringLiteral("OK"), &dialog);
    buttons.ok->setObjectName(QStringLiteral("OKBtn"));
    buttons.ok->setDefault(true);
    buttons.ok->setAutoDefault(true);
    buttons.cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    buttons.cancel->setObjectName(QStringLiteral("CancelBtn"));
    buttons.cancel->setAutoDefault(false);
    QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    buttons.column = new QVBoxLayout;
    buttons.column->addWidget(buttons.ok);
    buttons.column->addWidget(buttons.cancel);
    buttons.column->addStretch(1);
    return buttons;
}

void translateOkCancel(const OkCancelButtons& buttons, const lang::Language& language) {
    buttons.ok->setText(qtText(language.text("OK")));
    buttons.cancel->setText(qtText(language.text("Cancel")));
}

void makeFixedBoldDialog(QDialog& dialog) {
    QFont font = dialog.font();
    font.setBold(true);
    dialog.setFont(font);
    if (dialog.layout())
        dialog.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace lindor::ui
