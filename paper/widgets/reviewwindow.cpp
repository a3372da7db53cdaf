#include "paper/widgets/reviewwindow.h"

#include "shell/widgets/artwork.h"
#include "shell/widgets/controls.h"
#include "shell/widgets/screen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {
constexpr int kWidth = 720;
constexpr int kHeight = 372;
constexpr int kBanner = 34;
} // namespace

QString explanationHtml(const QString& explanation)
{
    QString html = u"<p style='margin:0'><b>操作步骤</b></p>"_s;
    bool others = false;
    for (const QString& line : explanation.split(u'\n', Qt::SkipEmptyParts)) {
        if (line == u"其他方法："_s) {
            others = true;
            html += u"<p style='margin:6px 0 0 0'><b>其他方法</b></p>"_s;
            continue;
        }
        html += u"<p style='margin:2px 0 0 %1px'>%2</p>"_s.arg(others ? 0 : 4).arg(line.toHtmlEscaped());
    }
    return html;
}

ReviewWindow::ReviewWindow() : Form(u"sthg"_s)
{
    setWindowTitle(u"试题回顾"_s);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kWidth, kHeight);

    m_titleLabel = new Label(this, u"questionTitle"_s);
    m_titleLabel->setFont(heiFont(11, true));
    m_titleLabel->setTransparent(true);
    m_titleLabel->setGeometry(20, kBanner + 10, 90, 24);
    m_outcomeLabel = new Label(this, u"outcomeLabel"_s);
    m_outcomeLabel->setFont(heiFont(11, true));
    m_outcomeLabel->setTransparent(true);
    m_outcomeLabel->setGeometry(110, kBanner + 10, 420, 24);
    m_topicLabel = new Label(this, u"topicLabel"_s);
    m_topicLabel->setFont(songFont(10.5));
    m_topicLabel->setTransparent(true);
    m_topicLabel->setGeometry(530, kBanner + 12, 170, 22);
    m_topicLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_stemLabel = new QLabel(this);
    m_stemLabel->setObjectName(u"stemText"_s);
    m_stemLabel->setFont(songFont(10.5));
    m_stemLabel->setWordWrap(true);
    m_stemLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_stemLabel->setTextFormat(Qt::PlainText);
    m_stemLabel->setGeometry(20, kBanner + 40, kWidth - 40, 52);
    m_stemLabel->setStyleSheet(
        u"QLabel { background: #FFFDF0; border: 1px solid #D8C98A; padding: 4px; color: #202020; }"_s);

    m_explanationBox = new QTextBrowser(this);
    m_explanationBox->setObjectName(u"explanationText"_s);
    m_explanationBox->setFont(songFont(10.5));
    m_explanationBox->setOpenLinks(false);
    m_explanationBox->setGeometry(20, kBanner + 100, kWidth - 40, 190);

    m_demonstrationButton = new PushButton(this, u"watchDemonstration"_s, u"观看全程演示"_s);
    m_demonstrationButton->setFont(songFont(10.5));
    m_demonstrationButton->setGeometry(kWidth / 2 - 150, kHeight - 40, 130, 30);
    connect(m_demonstrationButton, &PushButton::clicked, this, &ReviewWindow::demonstrationRequested);
    m_closeButton = new PushButton(this, u"closeButton"_s, u"关  闭"_s);
    m_closeButton->setFont(songFont(10.5));
    m_closeButton->setGeometry(kWidth / 2 + 20, kHeight - 40, 130, 30);
    connect(m_closeButton, &PushButton::clicked, this, [this] { close(); });
}

void ReviewWindow::showReview(const QuestionReview& review)
{
    m_review = review;
    m_titleLabel->setCaption(u"第 %1 题"_s.arg(review.position));
    QString outcome = review.right ? u"做对了"_s : u"做错了"_s;
    if (review.right && review.demonstration)
        outcome = u"看全程演示完成"_s;
    if (review.hint)
        outcome += u"（看过操作提示）"_s;
    else if (!review.right && review.demonstration)
        outcome += u"（看过全程演示）"_s;
    m_outcomeLabel->setCaption(outcome);
    m_outcomeLabel->setForeColor(review.right && !review.demonstration ? windowsColor(0, 128, 0)
                                                                       : windowsColor(192, 0, 0));
    m_topicLabel->setCaption(u"考点："_s + (review.topic.isEmpty() ? u"未知"_s : review.topic));
    if (!review.inBank) {
        m_stemLabel->setText(u"题库中已没有这道题（题库已更新），无法显示题干和解析，也不能观看全程演示。"_s);
        m_explanationBox->setHtml(QString());
        m_demonstrationButton->setEnabled(false);
        return;
    }
    m_stemLabel->setText(u"题干："_s + (review.stem.isEmpty() ? u"（无法读出本题的题干）"_s : review.stem));
    // The end-to-end test reads what the window shows from here.
    if (qEnvironmentVariableIntValue("PPTDRILL_TRACE_REVIEW") == 1) {
        static const QRegularExpression numbered(u"^\\d+\\. "_s);
        const QStringList lines = review.explanation.split(u'\n');
        qInfo("pptdrill: review %d: steps=%lld stem=%s", review.position,
              static_cast<long long>(lines.filter(numbered).size()), qUtf8Printable(review.stem));
    }
    m_explanationBox->setHtml(review.explanation.isEmpty() ? u"<p>本题没有解析。</p>"_s
                                                           : explanationHtml(review.explanation));
    m_demonstrationButton->setEnabled(true);
}

void ReviewWindow::showFailure(int position, const QString& reason)
{
    m_review = QuestionReview{};
    m_review.position = position;
    m_review.inBank = false;
    m_titleLabel->setCaption(u"第 %1 题"_s.arg(position));
    m_outcomeLabel->setCaption(QString());
    m_topicLabel->setCaption(QString());
    m_stemLabel->setText(u"无法读出这道题：%1"_s.arg(reason));
    m_explanationBox->setHtml(QString());
    m_demonstrationButton->setEnabled(false);
}

void ReviewWindow::placeOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const int frameHeight = std::max(0, frameGeometry().height() - height());
    const int frameWidth = std::max(0, frameGeometry().width() - width());
    // At the bottom of the screen, centred: at 1024 × 768 it stays below the
    // results' buttons, and the question bar is at the top.
    const int x = area.left() + (area.width() - kWidth - frameWidth) / 2;
    const int y = std::max(area.top(), area.bottom() + 1 - kHeight - std::max(frameHeight, 28));
    move(x, y);
}

void ReviewWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintBannerBackdrop(p, size(), kBanner, 3, 13, windowTitle());
}

} // namespace pptdrill

#include "moc_reviewwindow.cpp"
