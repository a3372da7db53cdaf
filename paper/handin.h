#pragma once

#include "shell/form.h"

#include <functional>

namespace pptdrill {

class Image;
class PushButton;

// The confirmation windows of the hand-in, "wzwjj" (questions still undone)
// and "jjzctx" (the last word before the results). Both are modal over the
// question bar and exist only while shown.
class HandInConfirmation : public Form
{
    Q_OBJECT

public:
    PushButton* PushButton1() const { return m_ok; }
    PushButton* PushButton2() const { return m_cancel; }

protected:
    struct Design
    {
        QString name;
        int width; // client size, twips
        int height;
        QString heading;
        QString warning; // may be empty
        int okWidth;     // the buttons' sizes, twips
        int cancelWidth;
        int buttonHeight;
    };
    explicit HandInConfirmation(const Design& design);

private:
    PushButton* m_ok = nullptr;
    PushButton* m_cancel = nullptr;
};

class WzwjjForm : public HandInConfirmation
{
    Q_OBJECT

public:
    WzwjjForm();
    void PushButton1Click(); // 确定: on to the second confirmation
    void PushButton2Click(); // 取消: the paper goes on
};

class JjzctxForm : public HandInConfirmation
{
    Q_OBJECT

public:
    JjzctxForm();
    void PushButton1Click(); // 确定: the bar goes, the results come
    void PushButton2Click(); // 取消: the paper goes on
};

extern FormVariable<WzwjjForm> wzwjjForm;
extern FormVariable<JjzctxForm> jjzctxForm;

// Puts the hand-in's entries into the exam flow: the confirmations after
// "结束考试", the results window and the question whether it is showing.
void installHandIn();

// "结束考试": the first confirmation when questions are undone, else the second.
void confirmHandIn(int undone);
// Unloads any confirmation still open and shows a freshly computed results
// window; when it is already showing it is only brought to the front.
void showResults();

// Stops a running player; tests put a fake here, an empty function restores
// the real one.
void stopPlayer();
void setPlayerStopper(std::function<void()> stopper);

} // namespace pptdrill
