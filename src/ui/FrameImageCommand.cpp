#include "FrameImageCommand.h"

#include "FileEntryCommands.h"
#include "ListController.h"
#include "Prompts.h"
#include "RecordSelection.h"
#include "ShellState.h"
#include "TfmFrameChooser.h"
#include "TzkImagePanel.h"
#include "TzkRecordPanel.h"
#include "zkOptions.h"

#include <QDir>
#include <QFileInfo>

namespace reelkeep {

FrameImageCommand::FrameImageCommand(RecordSelection& selection, QWidget& window, TzkRecordPanel& panel, ListController& controller,
                                     ShellState& shell, Prompts& prompts, QObject* parent)
    : QObject(parent),
      m_selection(selection),
      m_window(window),
      m_panel(panel),
      m_controller(controller),
      m_shell(shell),
      m_prompts(prompts)
{
    connect(m_panel.imagePanel(), &TzkImagePanel::frameRequested, this, &FrameImageCommand::AddFrame);
}

void FrameImageCommand::AddFrame()
{
    if (!m_selection.currentRecord() || chooser())
        return;
    const QString video = m_prompts.chooseFileToOpen(m_shell.options().LastAviDir,
                                                     VideoFileFilters() << m_shell.text("Other", "AllFiles") + QStringLiteral(" (*)"));
    if (video.isEmpty())
        return;
    const QString folder = QFileInfo(video).absolutePath();
    m_shell.options().LastAviDir = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    // Window-modal without a nested loop: the record cannot change while it is open.
    auto* dialog = new TfmFrameChooser(video, m_shell, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] { addChosen(*dialog); });
    dialog->open();
}

TfmFrameChooser* FrameImageCommand::chooser() const
{
    return m_window.findChild<TfmFrameChooser*>();
}

void FrameImageCommand::addChosen(const TfmFrameChooser& chooser)
{
    TzkRow* row = m_selection.currentRecord();
    if (!row)
        return;
    for (const QByteArray& frame : chooser.chosenFrames())
        m_controller.addImage(row, frame);
    const QList<QByteArray> images = m_controller.imagesOf(row);
    m_panel.imagePanel()->setImages(images, static_cast<int>(images.size()) - 1);
}

} // namespace reelkeep
