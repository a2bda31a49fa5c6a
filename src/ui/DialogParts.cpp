#include "ui/DialogParts.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Language.h"

namespace lindor::ui {

TwoFieldDialogParts makeTwoFieldDialog(QDialog& dialog, const char* editXName,
                                       const char* editYName, int minimumWidth) {
    TwoFieldDialogParts parts;
    parts.editX = new QLineEdit(&dialog);
    parts.editX->setObjectName(QString::fromLatin1(editXName));
    parts.editY = new QLineEdit(&dialog);
    parts.editY->setObjectName(QString::fromLatin1(editYName));
    for (QLineEdit* edit : {parts.editX, parts.editY})
        edit->setMinimumWidth(minimumWidth);
    parts.labelX = new QLabel(&dialog);
    parts.labelY = new QLabel(&dialog);
    parts.labelX->setBuddy(parts.editX);
    parts.labelY->setBuddy(parts.editY);

    auto* fields = new QFormLayout;
    fields->addRow(parts.labelX, parts.editX);
    fields->addRow(parts.labelY, parts.editY);
    parts.buttons = makeOkCancel(dialog);
    auto* layout = new QHBoxLayout(&dialog);
    layout->addLayout(fields, 1);
    layout->addSpacing(12);
    layout->addLayout(parts.buttons.column);
    makeFixedBoldDialog(dialog);
    return parts;
}

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
