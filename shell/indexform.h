#pragma once

#include "shell/form.h"
#include "shell/menulayout.h"

#include <QString>

namespace pptdrill {

class GroupBox;
class PushButton;

// The main menu "index": the fourteen practice choices, the 800 × 600 button
// group and the orderly exit.
class IndexForm : public Form
{
    Q_OBJECT

public:
    IndexForm();

    // Start-up: refuses a second instance and a screen below 800 × 600 (false:
    // the program has ended), then sets the program-wide state and lays the
    // window out.
    bool Load();
    // Lays the window out for the screen; ends the program on a screen below 800 × 600.
    void Resize();
    // The exit path: empties the paper and working tables, compacts the
    // database file and ends the program.
    void unloading() override;

    const QString& dbfile() const { return m_dbfile; }
    const QString& dbpassword() const { return m_dbpassword; }
    const MenuLayout& lastLayout() const { return m_layout; }

    PushButton* button(const QString& name) const;
    GroupBox* btgr() const { return m_btgr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void choose(const QString& chosenSet, bool random);
    void applyLayout(const MenuLayout& layout);
    void refuseSmallScreen();

    GroupBox* m_btgr = nullptr;
    QString m_dbfile;
    QString m_dbpassword;
    MenuLayout m_layout;
    bool m_inResize = false;
    bool m_exiting = false;
};

} // namespace pptdrill
