#pragma once

#include "shell/form.h"

namespace pptdrill {

class FormTimer;
class GroupBox;
class Label;
class PushButton;

// The results window "jjjs": the score, the 40 result cells coloured right or
// wrong, and the ways on: back to the paper, a new practice, or quit.
class JjjsForm : public Form
{
    Q_OBJECT

public:
    JjjsForm();

    // Scores the paper and writes the bank flags (false: a database failure
    // ended the program).
    bool Load();
    void PushButton1Click(); // 重选套题练习
    void PushButton2Click(); // 返回检查
    void PushButton3Click(); // 退出
    void Timer1Timer();      // keep on top
    void unloading() override;

    double score() const { return m_score; }
    Label* cell(int n) const;
    Label* yfdflb() const { return m_yfdflb; }
    GroupBox* Frame1() const { return m_frame1; }
    PushButton* PushButton1() const { return m_newPractice; }
    PushButton* PushButton2() const { return m_backToPaper; }
    PushButton* PushButton3() const { return m_quit; }
    FormTimer* Timer1() const { return m_timer1; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    GroupBox* m_frame1 = nullptr;
    Label* m_yfdflb = nullptr;
    PushButton* m_newPractice = nullptr;
    PushButton* m_backToPaper = nullptr;
    PushButton* m_quit = nullptr;
    FormTimer* m_timer1 = nullptr;
    double m_score = 0;
};

extern FormVariable<JjjsForm> jjjsForm;

} // namespace pptdrill
