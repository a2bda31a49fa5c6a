#include "ui/ValueTableDialog.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <exception>
#include <random>

#include "expr/FuncEval.h"
#include "lang/Language.h"
#include "table/ValueTable.h"
#include "ui/Questions.h"

namespace lindor::ui {
namespace {

constexpr int kModePictureSize = 25;
const char* const kModePicture = ":/icons/mode-function.svg";

// The function-mode picture at its size; empty when the picture is not there.
QPixmap modePicture() {
    QImageReader reader(QString::fromLatin1(kModePicture));
    reader.setScaledSize(QSize(kModePictureSize, kModePictureSize));
    return QPixmap::fromImage(reader.read());
}

QLineEdit* numberBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

} // namespace

TfrmValueTable::TfrmValueTable(const lang::Language& language, Questions& questions,
                               const expr::EngineContext& engine, QWidget* parent)
    : QDialog(parent), m_language(language), m_questions(questions), m_engine(engine) {
    setObjectName(QStringLiteral("frmValueTable"));
    resize(512, 456);

    m_imageMainMode = new QLabel(this);
    m_imageMainMode->setObjectName(QStringLiteral("ImageMainMode"));
    m_imageMainMode->setFixedSize(kModePictureSize, kModePictureSize);
    m_imageMainMode->setPixmap(modePicture());

    m_editFunction = new QLineEdit(this);
    m_editFunction->setObjectName(QStringLiteral("editFunction"));

    m_lblXmin = new QLabel(this);
    m_lblXmin->setObjectName(QStringLiteral("lblXmin"));
    m_editXmin = numberBox("editXmin", this);
    m_lblXmax = new QLabel(this);
    m_lblXmax->setObjectName(QStringLiteral("lblXmax"));
    m_editXmax = numberBox("editXmax", this);
    m_lblXStep = new QLabel(this);
    m_lblXStep->setObjectName(QStringLiteral("lblXStep"));
    m_editXstep = numberBox("editXstep", this);
    m_lblXmin->setBuddy(m_editXmin);
    m_lblXmax->setBuddy(m_editXmax);
    m_lblXStep->setBuddy(m_editXstep);

    m_btnCalculate = new QPushButton(this);
    m_btnCalculate->setObjectName(QStringLiteral("btnCalculate"));
    m_btnCalculate->setAutoDefault(false);
    m_btnCopyToClipboard = new QPushButton(this);
    m_btnCopyToClipboard->setObjectName(QStringLiteral("btnCopyToClipboard"));
    m_btnCopyToClipboard->setAutoDefault(false);

    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setReadOnly(true);
    m_memo->setTabChangesFocus(true);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_memo->setFont(fixed);
    // Columns of up to sixteen characters ("-1.234567891E-10") line up under the header.
    m_memo->setTabStopDistance(QFontMetricsF(fixed).horizontalAdvance(QLatin1Char('0')) * 17);

    auto* top = new QHBoxLayout;
    top->addWidget(m_imageMainMode);
    top->addWidget(m_editFunction, 1);

    auto* boxes = new QGridLayout;
    boxes->addWidget(m_lblXmin, 0, 0);
    boxes->addWidget(m_lblXmax, 0, 1);
    boxes->addWidget(m_lblXStep, 0, 2);
    boxes->addWidget(m_editXmin, 1, 0);
    boxes->addWidget(m_editXmax, 1, 1);
    boxes->addWidget(m_editXstep, 1, 2);
    boxes->addWidget(m_btnCalculate, 1, 3);
    boxes->addWidget(m_btnCopyToClipboard, 1, 4);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(boxes);
    layout->addWidget(m_memo, 1);

    setTabOrder(m_editFunction, m_editXmin);
    setTabOrder(m_editXmin, m_editXmax);
    setTabOrder(m_editXmax, m_editXstep);
    setTabOrder(m_editXstep, m_btnCalculate);
    setTabOrder(m_btnCalculate, m_btnCopyToClipboard);
    setTabOrder(m_btnCopyToClipboard, m_memo);

    connect(m_btnCalculate, &QPushButton::clicked, this, [this] { btnCalculateClick(); });
    connect(m_btnCopyToClipboard, &QPushButton::clicked, this,
            [this] { btnCopyToClipboardClick(); });
}

void TfrmValueTable::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TfrmValueTable::FormShow() {
    setWindowTitle(QString::fromStdString(m_language.text("ValueTable")));
    m_imageMainMode->setToolTip(QString::fromStdString(m_language.text("ModePictureHint")));
    m_lblXmin->setText(QString::fromStdString(m_language.text("Xmin")));
    m_lblXmax->setText(QString::fromStdString(m_language.text("Xmax")));
    m_lblXStep->setText(QString::fromStdString(m_language.text("Xstep")));
    m_btnCalculate->setText(QString::fromStdString(m_language.text("Calculate")));
    m_btnCopyToClipboard->setText(QString::fromStdString(m_language.text("CopyToClipboard")));
    m_editFunction->setFocus();
}

void TfrmValueTable::btnCalculateClick() {
    try {
        // The table's own engine state: the program's angle mode, number format and error
        // texts as they are now, with a random generator of its own.
        expr::EngineContext engine = m_engine;
        engine.random.seed(std::random_device{}());
        expr::TFunctionDB functions(engine);
        const table::ValueTableRequest request{
            m_editFunction->text().toStdString(), m_editXmin->text().toStdString(),
            m_editXmax->text().toStdString(), m_editXstep->text().toStdString()};
        const table::ValueTableResult result =
            table::buildValueTable(request, functions, m_language);
        if (!result.ok) {
            m_questions.error(QString::fromStdString(result.error));
            return;
        }
        m_memo->setPlainText(QString::fromStdString(table::joinLines(result.lines, "\n")));
    } catch (const std::exception& e) {
        m_questions.error(QString::fromStdString(e.what()));
    } catch (...) {
        m_questions.error(QString::fromStdString(m_language.text("UnexpectedError")));
    }
}

void TfrmValueTable::btnCopyToClipboardClick() {
    m_memo->selectAll();
    QString text = m_memo->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QGuiApplication::clipboard()->setText(text);
}

} // namespace lindor::ui
