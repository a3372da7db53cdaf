#include "shell/widgets/form.h"

#include <QCloseEvent>

namespace pptdrill {

Form::Form(const QString& name, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Form::closeEvent(QCloseEvent* event)
{
    // The form variable unloads the form; the window must not close on its own.
    event->ignore();
    emit closeRequested();
}

} // namespace pptdrill

#include "moc_form.cpp"
