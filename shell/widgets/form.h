#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <type_traits>

namespace pptdrill {

class Trainer;

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

// Tells the trainer that the learner closed one of its windows.
void afterWindowClosedByUser(Trainer& trainer);

// One window of the trainer, loaded on first use: using it creates it (by
// the maker the trainer gave, else by the constructor that takes the
// trainer); unloading hides it, runs its unloading() and destroys it once the
// current event is over. A later use loads a fresh one.
template <typename T> class FormVariable
{
public:
    explicit FormVariable(Trainer& trainer) : m_trainer(trainer) {}
    FormVariable(const FormVariable&) = delete;
    FormVariable& operator=(const FormVariable&) = delete;

    // A window that does not know the trainer is made, and wired to it, here.
    void setMaker(std::function<T*()> make) { m_make = std::move(make); }

    T* get()
    {
        if (!m_form) {
            T* form = make();
            m_form = form;
            QObject::connect(form, &Form::closeRequested, form, [this, form] {
                if (m_form == form) {
                    unload();
                    afterWindowClosedByUser(m_trainer);
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
    T* make()
    {
        if constexpr (std::is_constructible_v<T, Trainer&>) {
            if (!m_make)
                return new T(m_trainer);
        }
        return m_make();
    }

    Trainer& m_trainer;
    std::function<T*()> m_make;
    QPointer<T> m_form;
};

} // namespace pptdrill
