#include "ui/InstructionsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Language.h"

namespace lindor::ui {

namespace {

const QColor kExampleColor(0, 0, 255);

QLabel* blueLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, kExampleColor);
    label->setPalette(palette);
    return label;
}

GraphPictureRequest examplePicture(std::vector<std::string> functions, std::string integral,
                                   graph::Range range) {
    GraphPictureRequest entry;
    entry.functions = std::move(functions);
    entry.integral = std::move(integral);
    entry.range = range;
    entry.size = QSize(160, 110);
    // At this size the scale text and the name would only crowd the curve.
    entry.view.showScaleText = false;
    entry.view.showFunctionNames = false;
    return entry;
}

} // namespace

InstructionsDialog::InstructionsDialog(const lang::Language& language, QString syntax,
                                       std::vector<Example> examples, QString helpTopic,
                                       QWidget* parent)
    : QDialog(parent), m_language(language), m_helpTopic(std::move(helpTopic)) {
    m_syntaxHeading = new QLabel(QStringLiteral("Syntax:"), this);
    m_examplesHeading = new QLabel(QStringLiteral("Examples:"), this);
    QLabel* syntaxLine = blueLabel(syntax, this);
    syntaxLine->setObjectName(QStringLiteral("lblSyntax"));

    auto* pictures = new QGridLayout;
    pictures->setHorizontalSpacing(16);
    for (int i = 0; i < static_cast<int>(examples.size()); ++i) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("imgExample%1").arg(i + 1));
        picture->setPixmap(QPixmap::fromImage(drawGraphPicture(examples[i].picture)));
        picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture->setFixedSize(picture->sizeHint());
        QLabel* text = blueLabel(examples[i].text, this);
        text->setObjectName(QStringLiteral("lblExample%1").arg(i + 1));
        pictures->addWidget(picture, 0, i, Qt::AlignLeft);
        pictures->addWidget(text, 1, i, Qt::AlignLeft | Qt::AlignTop);
    }
    pictures->setColumnStretch(static_cast<int>(examples.size()), 1);

    m_neverShow = new QCheckBox(QStringLiteral("Do not show this message any more"), this);
    m_neverShow->setObjectName(QStringLiteral("chkboxNeverShowMessage"));

    auto* content = new QVBoxLayout;
    content->addWidget(m_syntaxHeading);
    content->addWidget(syntaxLine);
    content->addSpacing(8);
    content->addWidget(m_examplesHeading);
    content->addLayout(pictures);
    content->addSpacing(8);
    content->addWidget(m_neverShow);

    m_buttons = makeOkCancel(*this);
    m_help = new QPushButton(QStringLiteral("Help"), this);
    m_help->setObjectName(QStringLiteral("HelpBtn"));
    m_help->setAutoDefault(false);
    m_help->setVisible(false);
    m_buttons.column->insertWidget(2, m_help);
    connect(m_help, &QPushButton::clicked, this, [this] { emit helpRequested(m_helpTopic); });

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addSpacing(12);
    layout->addLayout(m_buttons.column);
    makeFixedBoldDialog(*this);
}

void InstructionsDialog::setNeverShow(bool never) {
    m_neverShow->setChecked(never);
}

bool InstructionsDialog::neverShow() const {
    return m_neverShow->isChecked();
}

void InstructionsDialog::setHelpAvailable(bool available) {
    m_helpAvailable = available;
    m_help->setVisible(available);
}

void InstructionsDialog::showEvent(QShowEvent* event) {
    setWindowTitle(caption());
    m_syntaxHeading->setText(qtText(m_language.text("Syntax")));
    m_examplesHeading->setText(qtText(m_language.text("Examples")));
    m_neverShow->setText(qtText(m_language.text("DoNotShowThisMessageAnyMore")));
    m_help->setText(qtText(m_language.text("Help")));
    translateOkCancel(m_buttons, m_language);
    QDialog::showEvent(event);
}

TdlgFunctionInstructions::TdlgFunctionInstructions(const lang::Language& language, QWidget* parent)
    : InstructionsDialog(
          language, QStringLiteral(" f(x) [XRangeMin; XRangeMax]"),
          {{QStringLiteral("x^2-x"), examplePicture({"x^2-x"}, {}, {-3, 4, 1, -2, 5, 1})},
           {QStringLiteral("x^2-x  [-1; 3]"),
            examplePicture({"x^2-x  [-1; 3]"}, {}, {-3, 4, 1, -2, 5, 1})}},
          QStringLiteral("How_To_Plot_A_Function"), parent) {
    setObjectName(QStringLiteral("dlgFunctionInstructions"));
}

QString TdlgFunctionInstructions::caption() const {
    return qtText(m_language.text("InstructionsForFunctionMode"));
}

TdlgIntegralInstructions::TdlgIntegralInstructions(const lang::Language& language, QWidget* parent)
    : InstructionsDialog(
          language, QStringLiteral(" f(x) ; Xstart; Xstop"),
          {{QStringLiteral("x^2-x ;2;3"), examplePicture({}, "x^2-x ;2;3", {-1, 4, 1, -2, 8, 1})}},
          QStringLiteral("How_To_Calculate_The_Value_Of_An_Integral"), parent) {
    setObjectName(QStringLiteral("dlgIntegralInstructions"));
}

QString TdlgIntegralInstructions::caption() const {
    return qtText(m_language.text("InstructionsForIntegralMode"));
}

} // namespace lindor::ui
