#pragma once

// Screenshots for the scripts that run the GUI tests under Xvfb: a window's frame cut out of
// the X display.

#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QWidget>

namespace kovra::test_support {

// Saves the window's frame as a PNG; false when the display could not be read or written.
inline bool grabWindow(const QWidget& window, const QString& file)
{
    const QRect frame = window.frameGeometry();
    const QString crop
        = QString("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
    const int status = QProcess::execute("sh",
        { "-c", QString("xwd -root -silent | convert xwd:- -crop %1 +repage png:'%2'").arg(crop, file) });
    return status == 0 && QFileInfo(file).size() > 0;
}

} // namespace kovra::test_support
