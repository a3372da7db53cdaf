#pragma once

#include "common/result.h"
#include "shell/widgets/form.h"
#include "shell/widgets/menulayout.h"

#include <QSize>
#include <QString>

namespace pptdrill {

class GroupBox;
class Label;
class PushButton;
struct PracticeChoice;

// The main menu "index": the fourteen practice choices, the 800 × 600 button
// group and the orderly exit.
class MainMenu : public Form
{
    Q_OBJECT

public:
    explicit MainMenu(Trainer& trainer);

    // Start-up in one go: claimProgram() and openDatabase(), a failure of
    // the latter shown and the program ended (false: the program has ended).
    bool load();
    // What the menu needs before it is shown: refuses a second instance and a
    // screen below 800 × 600 (false: the program has ended), then lays the window out.
    bool claimProgram();
    // Makes or updates the learner's copy of the bank and checks it, then
    // starts the class's sender. Until it has succeeded the choices do nothing.
    Status openDatabase();
    bool databaseReady() const { return m_databaseReady; }
    // Lays the window out for the screen; ends the program on a screen below 800 × 600.
    void layOutForScreen();
    // The exit path: empties the paper and working tables, compacts the
    // database file and ends the program.
    void unloading() override;

    const QString& dbfile() const { return m_dbfile; }
    const QString& dbpassword() const { return m_dbpassword; }
    const MenuLayout& lastLayout() const { return m_layout; }
    // The screen size in pixels as the menu last measured it.
    QSize measuredScreen() const { return m_screen; }

    PushButton* button(const QString& name) const;
    // What the footer says about leaving, for the layout the window has now.
    QString exitHint() const;
    // The class's delivery ("已同步", "N 条待上传"), shown only with a class.
    void showClassroomStatus(const QString& text, const QString& tip);
    Label* classroomStatus() const { return m_classroomStatus; }
    GroupBox* btgr() const { return m_btgr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void choose(const PracticeChoice& choice);
    void applyLayout(const MenuLayout& layout);
    void refuseSmallScreen();

    Trainer& m_trainer;
    GroupBox* m_btgr = nullptr;
    Label* m_classroomStatus = nullptr;
    QSize m_screen;
    QString m_dbfile;
    QString m_dbpassword;
    MenuLayout m_layout;
    bool m_inResize = false;
    bool m_exiting = false;
    bool m_databaseReady = false;
};

} // namespace pptdrill
