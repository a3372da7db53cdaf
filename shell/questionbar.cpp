#include "shell/questionbar.h"

#include "db/database.h"
#include "db/statements.h"
#include "shell/controls.h"
#include "shell/form.h"
#include "shell/forms.h"
#include "shell/programend.h"

#include <QPointer>

using namespace Qt::Literals::StringLiterals;

namespace pptdrill {

namespace {

std::function<void()> g_handler;
QPointer<Form> g_standIn;

void closeStandIn()
{
    if (Form* window = g_standIn.data()) {
        g_standIn.clear();
        window->hide();
        window->deleteLater();
    }
}

// Until the question bar exists: the paper's size and the way back to the menu.
void showStandIn()
{
    if (Status opened = openDatabase(); !opened) {
        failProgram(opened.error());
        return;
    }
    auto paper = Recordset::open(dbconn, sql::SelectPaper);
    dbconn->close();
    if (!paper) {
        failProgram(paper.error());
        return;
    }
    const int count = paper->recordCount();
    paper->close();

    closeStandIn();
    auto* window = new Form(u"paperready"_s);
    g_standIn = window;
    window->setWindowTitle(u"试题"_s);
    window->setFixedSize(360, 150);
    auto* text = new Label(window, u"papersize"_s, u"本次练习共有 %1 道试题。"_s.arg(count));
    text->setFont(songFont(12));
    text->setTransparent(true);
    text->setAlignment(Qt::AlignCenter);
    text->setGeometry(0, 30, 360, 30);
    auto* back = new PushButton(window, u"returntomenu"_s, u"返回主菜单"_s);
    back->setFont(songFont(10.5));
    back->setGeometry(125, 88, 110, 32);
    QObject::connect(back, &PushButton::Click, window, [] {
        closeStandIn();
        showMainMenu();
    });
    QObject::connect(window, &Form::closeRequested, window, [] {
        closeStandIn();
        afterFormClosedByUser();
    });
    centreOnScreen(window);
    window->show();
}

} // namespace

void showQuestionBar()
{
    if (g_handler)
        g_handler();
    else
        showStandIn();
}

void setQuestionBarHandler(std::function<void()> handler)
{
    g_handler = std::move(handler);
}

} // namespace pptdrill
