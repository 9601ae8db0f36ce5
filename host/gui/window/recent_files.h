// The files last opened or saved in the window (drawings and pictures), kept by the document's
// rules (host/document/recent_files.h) with the window's settings (window_settings.h) so that
// every window and every run shares them; and File > Open recent, which lists them.
#pragma once

#include <functional>

#include <QString>
#include <QStringList>

#include "host/document/recent_files.h"

class QMenu;

namespace stamp::gui {

inline constexpr qsizetype kMaxRecentFiles = static_cast<qsizetype>(document::kMaxRecentFiles);

// The settings' list, read without trusting it: entries that are not files (a folder, a device,
// a relative name) and repeats are dropped, at most kMaxRecentFiles kept, and the list stored so.
// *dropped, when given, counts the entries dropped.
QStringList RecentFiles(qsizetype* dropped = nullptr);
// Puts path first, dropping its older place and the oldest file beyond the limit.
void AddRecentFile(const QString& path);
void DropRecentFile(const QString& path);

// Fills menu with one action per recent file, each calling open with its path; a disabled
// "No recent files" when there are none. Called as the menu is about to show, so it is current.
void FillRecentMenu(QMenu& menu, const std::function<void(const QString&)>& open);

}  // namespace stamp::gui
