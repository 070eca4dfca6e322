#pragma once
// One column of a data grid: the field it shows, its title and alignments.

#include <QString>
#include <Qt>

namespace meru::controls {

struct GridColumn {
    QString fieldName;
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
    Qt::Alignment titleAlignment = Qt::AlignLeft;
};

}  // namespace meru::controls
