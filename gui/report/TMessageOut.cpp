// The session list window: a list view over the lazy session model and three total labels.
#include "gui/report/TMessageOut.h"

#include "gui/report/UniformListView.h"
#include "gui/widgets/Named.h"
#include "gui/widgets/WindowGeometry.h"
#include "report/MessageOutModel.h"
#include "settings/Settings.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace {
constexpr int designLeft = 276;
constexpr int designTop = 21;
} // namespace

TMessageOut::TMessageOut(QWidget* parent) : QWidget(parent), m_model(new MessageOutModel(this))
{
    buildControls();
    FormCreate();
}

TMessageOut::TMessageOut(Settings& settings, QWidget* parent)
    : QWidget(parent), m_settings(&settings), m_model(new MessageOutModel(this))
{
    buildControls();
    FormCreate();
}

TMessageOut::~TMessageOut() = default;

void TMessageOut::buildControls()
{
    setObjectName(QStringLiteral("TMessageOut"));
    setWindowTitle(QStringLiteral("Message Output"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    move(designLeft, designTop);

    // Every line has the same height, so the view asks the model only for the lines in view.
    lbMessage = named(new UniformListView(this), "lbMessage");
    lbMessage->setFixedSize(268, 351);
    lbMessage->setRowHeight(16);
    lbMessage->setModel(m_model);
    pnBottom = named(new QWidget(this), "pnBottom");
    pnBottom->setFixedSize(268, 140);
    const auto total = [this](const QString& caption, const char* boxName, const char* labelName, QLabel*& label) {
        auto* box = named(new QGroupBox(caption, pnBottom), boxName);
        label = named(new QLabel(box), labelName);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        (new QVBoxLayout(box))->addWidget(label);
        return box;
    };
    GroupBox1 = total(QStringLiteral(" Downloaded "), "GroupBox1", "lblTotalReceived", lblTotalReceived);
    GroupBox2 = total(QStringLiteral(" Uploaded "), "GroupBox2", "lblTotalSent", lblTotalSent);
    gbTotalTime = total(QStringLiteral(" Total time "), "gbTotalTime", "lblTotalTime", lblTotalTime);
    btnOK = named(new QPushButton(QStringLiteral("&OK"), pnBottom), "btnOK");
    auto* bottom = new QGridLayout(pnBottom);
    bottom->addWidget(GroupBox1, 0, 0);
    bottom->addWidget(GroupBox2, 0, 1);
    bottom->addWidget(gbTotalTime, 1, 0);
    bottom->addWidget(btnOK, 1, 1, Qt::AlignRight | Qt::AlignBottom);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(7, 7, 7, 7);
    page->addWidget(lbMessage);
    page->addWidget(pnBottom);
    page->setSizeConstraint(QLayout::SetFixedSize);
    connect(btnOK, &QPushButton::clicked, this, &TMessageOut::btnOKClick);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &TMessageOut::close);
}

void TMessageOut::FormCreate()
{
    lblTotalTime->clear();
    lblTotalReceived->clear();
    lblTotalSent->clear();
    if (!m_settings)
        return;
    // A value that is not a whole number is left aside: the design position stays.
    const QPoint corner(m_settings->msgOutLeft().value_or(designLeft), m_settings->msgOutTop().value_or(designTop));
    WindowGeometry::fixSizeWithinScreen(*this);
    WindowGeometry::restoreFramePosition(*this, corner);
}

void TMessageOut::clear()
{
    m_model->clear();
    lblTotalTime->clear();
    lblTotalReceived->clear();
    lblTotalSent->clear();
}

void TMessageOut::showResult(std::shared_ptr<const CalculationResult> result)
{
    if (!result) {
        clear();
        return;
    }
    lblTotalTime->setText(result->usedTimeText());
    lblTotalReceived->setText(result->receivedText());
    lblTotalSent->setText(result->sentText());
    m_model->setResult(std::move(result));
}

void TMessageOut::FormCloseQuery()
{
    if (!m_settings)
        return;
    const QPoint corner = WindowGeometry::framePosition(*this);
    m_settings->setMsgOutPosition(corner.x(), corner.y());
}

void TMessageOut::btnOKClick()
{
    close();
}

void TMessageOut::closeEvent(QCloseEvent* event)
{
    // Closing only hides the window; it lives until the program ends.
    FormCloseQuery();
    event->accept();
}
