#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace pptdrill {

// A window of the main program. Closing it through its caption bar unloads
// it, as its Unload would.
class Form : public QWidget
{
    Q_OBJECT

public:
    explicit Form(const QString& name, QWidget* parent = nullptr);

    // Runs when the form is unloaded, before it goes: its timers stop here.
    virtual void unloading() {}

signals:
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

// After the learner closed a window: when no window of the program is left on
// screen, the main menu comes back, so that the program never runs on unseen.
void afterFormClosedByUser();

// A program-wide form variable: using the form loads it (creates it, which
// runs its Load); unloading hides it, runs its unloading() and destroys it
// once the current event is over. A later use loads a fresh form.
template <typename T> class FormVariable
{
public:
    T* get()
    {
        if (!m_form) {
            T* form = new T();
            m_form = form;
            QObject::connect(form, &Form::closeRequested, form, [this, form] {
                if (m_form == form) {
                    unload();
                    afterFormClosedByUser();
                }
            });
        }
        return m_form.data();
    }
    T* operator->() { return get(); }
    T* loaded() const { return m_form.data(); }
    bool isLoaded() const { return !m_form.isNull(); }

    void unload()
    {
        QPointer<T> form = m_form;
        m_form.clear();
        if (!form)
            return;
        form->unloading();
        if (form) {
            form->hide();
            form->deleteLater();
        }
    }

    // The form goes without its Unload, as all windows do when the program ends.
    void discard()
    {
        if (T* form = m_form.data()) {
            m_form.clear();
            delete form;
        }
    }

private:
    QPointer<T> m_form;
};

} // namespace pptdrill
