// What a PDF font description needs from a font file, read with
// FreeType: metrics scaled to 1000 units per em, and the file itself for
// embedding (one face cut out of a collection).
#pragma once

#include "platform/fonts/fontresolver.h"

#include <QByteArray>
#include <QString>

namespace bralvo::report {

struct TrpPDFFaceInfo {
    platform::ResolvedFont font;
    int bboxLeft = 0, bboxBottom = 0, bboxRight = 0, bboxTop = 0;
    double italicAngle = 0; // degrees, negative leaning right
    int ascent = 0;         // above the baseline
    int descent = 0;        // below, negative
    int internalLeading = 0;
    int height = 0;         // ascent + descent of the Windows metrics
    int weight = 400;
    int avgWidth = 0;
    int maxWidth = 0;
    // PostScript (CFF) outlines: such a file cannot go into /FontFile2.
    bool cffOutlines = false;
};

// Metrics of the face the family and style resolve to. Throws
// platform::FontError when the file has no outline metrics.
TrpPDFFaceInfo ReadPdfFaceInfo(const QString &family, int style);

// The whole font file as it is installed; a face of a collection comes
// out as a font file of its own. Throws platform::FontError when the
// file cannot be read or the collection is malformed.
QByteArray ReadFontFileForEmbedding(const platform::ResolvedFont &font);

// Face FaceIndex of a TrueType collection as a standalone font file;
// other data is returned unchanged. Throws platform::FontError when the
// collection or the face's table directory runs past the data.
QByteArray CutCollectionFace(const QByteArray &data, int faceIndex);

} // namespace bralvo::report
