// SPDX-License-Identifier: GPL-3.0-or-later
// The printed configuration: the channel table of each group, the option features, the key
// assignment, the scan settings and the embedded messages, laid out as one paginated document
// for a printer or a PDF file.
#pragma once

#include <QList>
#include <QString>

#include "gui/ui_context.h"

class QPagedPaintDevice;

namespace kr4100 {

enum class PrintPage { Channels, OptFeatures, KeyAssign, ScanInfo, EmbMsg };

// Every page in the order they print.
QList<PrintPage> AllPrintPages();
// The page's heading, also the caption of its check box in the print dialog.
const Bilingual& PrintPageTitle(PrintPage page);

// The chosen pages as HTML in the language in force (each page starts on a new sheet), the
// channel table showing the texts the grid shows.
QString PrintPagesHtml(UiContext& ctx, const QList<PrintPage>& pages);
// Lays the chosen pages out on the device (a printer or a PDF writer), numbering the sheets.
void RenderPrintPages(UiContext& ctx, const QList<PrintPage>& pages, QPagedPaintDevice& device);
// Writes the chosen pages to a PDF file (A4); false when the file cannot be written.
bool PrintPagesToPdf(UiContext& ctx, const QList<PrintPage>& pages, const QString& path);

}  // namespace kr4100
