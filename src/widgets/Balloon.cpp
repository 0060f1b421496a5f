#include "Balloon.h"

#include "Colors.h"
#include "OfficeButton.h"
#include "Fonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace widgets {

// The small picture at the top left: a blue question mark or a yellow
// warning triangle with an exclamation mark.
class BalloonPicture : public QWidget
{
public:
    BalloonPicture(Balloon::Kind kind, QWidget *parent)
        : QWidget(parent)
        , m_kind(kind)
    {
        setFixedSize(35, 35);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
        QFont f(QStringLiteral("Times New Roman"));
        f.setBold(true);
        if (m_kind == Balloon::Question) {
            QRadialGradient g(r.center() - QPointF(5, 5), r.width() * 0.75);
            g.setColorAt(0, QColor(120, 170, 255));
            g.setColorAt(1, QColor(20, 60, 170));
            p.setPen(QPen(QColor(10, 30, 100), 1));
            p.setBrush(g);
            p.drawEllipse(r);
            f.setPixelSize(24);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        } else {
            QPainterPath triangle;
            triangle.moveTo(r.center().x(), r.top() + 1);
            triangle.lineTo(r.right(), r.bottom() - 1);
            triangle.lineTo(r.left(), r.bottom() - 1);
            triangle.closeSubpath();
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, QColor(255, 230, 90));
            g.setColorAt(1, QColor(235, 170, 0));
            p.setPen(QPen(QColor(120, 80, 0), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(g);
            p.drawPath(triangle);
            f.setPixelSize(20);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(r.adjusted(0, 8, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
        }
    }

private:
    Balloon::Kind m_kind;
};

namespace {

QLabel *makeLabel(QWidget *parent, const QFont &font, bool wrap)
{
    auto *label = new QLabel(parent);
    label->setFont(font);
    label->setWordWrap(wrap);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

Balloon::Spec Balloon::warning(const QString &objectName, const QString &text)
{
    Spec spec;
    spec.objectName = objectName;
    spec.kind = Warning;
    spec.text = text;
    spec.windowHint = QStringLiteral("Upozornění");
    spec.yesCaption = QStringLiteral("Ok");
    spec.yesHint = QStringLiteral("Uzavře dialogové okno");
    spec.noCaption.clear();
    spec.escapeKey = KeyAction::Accept;
    return spec;
}

Balloon *Balloon::createHosted(const Spec &spec, DialogHost &host)
{
    auto *balloon = new Balloon(spec);
    balloon->setHost(&host);
    balloon->setAttribute(Qt::WA_DeleteOnClose);
    return balloon;
}

Balloon::Balloon(const Spec &spec, QWidget *parent)
    : BalloonWindow(parent, spec.position)
    , m_spec(spec)
{
    setObjectName(spec.objectName);
    setWindowTitle(spec.title);
    setStatusTip(spec.windowHint);
    setBackgroundColor(fromColorRef(spec.background));
    setFocusPolicy(Qt::StrongFocus);
    setSound(!spec.sound.isEmpty() ? spec.sound
             : spec.kind == Question ? QStringLiteral("Dotaz.wav")
                                     : QStringLiteral("Info.wav"));
    setIndicator(!spec.indicator.isEmpty() ? spec.indicator
                 : spec.kind == Question ? QStringLiteral("SBO6")
                                         : QStringLiteral("SBO7"));

    m_picture = new BalloonPicture(spec.kind, this);
    m_title = makeLabel(this, serifFont(13, true), false);
    m_title->setText(spec.title);
    m_subtitle = makeLabel(this, serifFont(13, false), false);
    m_subtitle->setText(spec.subtitle);
    m_text = makeLabel(this, serifFont(13, false), true);
    m_text->setText(spec.text);

    m_yes = new OfficeButton(spec.yesCaption, this);
    m_yes->setObjectName(spec.yesObjectName);
    m_yes->setStatusTip(spec.yesHint);
    connect(m_yes, &OfficeButton::clicked, this, &Balloon::accept);
    if (!spec.noCaption.isEmpty()) {
        m_no = new OfficeButton(spec.noCaption, this);
        m_no->setObjectName(spec.noObjectName);
        m_no->setStatusTip(spec.noHint);
        connect(m_no, &OfficeButton::clicked, this, &Balloon::reject);
    }
    for (OfficeButton *b : {m_yes, m_no}) {
        if (b) {
            b->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
            b->resize(64, 20);
        }
    }

    resize(spec.size.isValid() ? spec.size : QSize(272, 98));
    layoutContents();
}

QString Balloon::text() const
{
    return m_text->text();
}

void Balloon::setText(const QString &text)
{
    m_text->setText(text);
    layoutContents();
}

QString Balloon::subtitle() const
{
    return m_subtitle->text();
}

void Balloon::setSubtitle(const QString &subtitle)
{
    m_subtitle->setText(subtitle);
    layoutContents();
}

void Balloon::layoutContents()
{
    const QRect body = bodyRect();
    const int margin = 8;
    const int besidePicture = margin + m_picture->width() + 7;

    m_picture->move(margin, 7);
    m_title->setGeometry(besidePicture, 6, qMax(0, body.right() - besidePicture - margin), 18);

    m_ruleY = body.bottom() - 29;
    int textTop = 24;
    int textLeft = besidePicture;
    const bool hasSubtitle = !m_subtitle->text().isEmpty();
    m_subtitle->setVisible(hasSubtitle);
    if (hasSubtitle) {
        m_subtitle->setGeometry(besidePicture, 23, qMax(0, body.right() - besidePicture - margin), 17);
        textTop = 43;
        textLeft = margin;
    }
    const int textWidth = qMax(0, body.right() - textLeft - margin);
    // Shrink the message font a little when the text would not fit above the
    // rule, so that no word is cut off.
    const int textHeight = qMax(0, m_ruleY - 3 - textTop);
    for (int px = 13; px >= 10; --px) {
        m_text->setFont(serifFont(px, false));
        const QRect need = m_text->fontMetrics().boundingRect(
            QRect(0, 0, textWidth, 1000), Qt::TextWordWrap, m_text->text());
        if (need.height() <= textHeight)
            break;
    }
    m_text->setGeometry(textLeft, textTop, textWidth, textHeight);

    const int buttonTop = m_ruleY + 6;
    const int gap = 14;
    if (m_no) {
        const int total = m_yes->width() + gap + m_no->width();
        const int x = body.left() + (body.width() - total) / 2;
        m_yes->move(x, buttonTop);
        m_no->move(x + m_yes->width() + gap, buttonTop);
    } else {
        m_yes->move(body.left() + (body.width() - m_yes->width()) / 2, buttonTop);
    }
    update();
}

void Balloon::resizeEvent(QResizeEvent *event)
{
    BalloonWindow::resizeEvent(event);
    layoutContents();
}

void Balloon::paintEvent(QPaintEvent *event)
{
    BalloonWindow::paintEvent(event);
    // An etched rule above the buttons.
    QPainter p(this);
    const QRect body = bodyRect();
    p.setPen(fromColorRef(colorref::Grey));
    p.drawLine(body.left() + 8, m_ruleY, body.right() - 8, m_ruleY);
    p.setPen(Qt::white);
    p.drawLine(body.left() + 8, m_ruleY + 1, body.right() - 8, m_ruleY + 1);
}

void Balloon::showEvent(QShowEvent *event)
{
    m_answered = false;
    BalloonWindow::showEvent(event);
    // Take the keyboard so that Enter and Esc answer the balloon.
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
}

void Balloon::accept()
{
    answer(true);
}

void Balloon::reject()
{
    answer(false);
}

void Balloon::answer(bool yes)
{
    // Answered: a close that follows is not a refusal. Should the handler
    // fail, the balloon stays up unanswered so the user can answer again.
    m_answered = true;
    try {
        if (yes)
            emit accepted();
        else
            emit rejected();
    } catch (...) {
        m_answered = false;
        throw;
    }
    if (m_spec.closeOnAnswer && isVisible())
        close();
}

void Balloon::runKey(KeyAction action)
{
    if (action == KeyAction::Accept)
        accept();
    else if (action == KeyAction::Reject)
        reject();
}

void Balloon::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        runKey(m_spec.enterKey);
        return;
    case Qt::Key_Escape:
        runKey(m_spec.escapeKey);
        return;
    default:
        break;
    }
    BalloonWindow::keyPressEvent(event);
}

void Balloon::closeEvent(QCloseEvent *event)
{
    if (!m_answered && m_spec.closeMeansReject) {
        m_answered = true;
        emit rejected();
    }
    BalloonWindow::closeEvent(event);
}

} // namespace widgets
