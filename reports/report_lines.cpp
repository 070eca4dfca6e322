#include "report_lines.h"

#include "data/dataset.h"

namespace meru::report {

namespace {

const char* const kFields[6] = {"mov_cd_cnpj",         "mov_nr_nf",       "mov_dt_notaf",
                                "mov_vl_valor",        "mov_tp_retificadora", "mov_nr_inscricao"};

class ControlsDisabled {
public:
    explicit ControlsDisabled(Dataset& d) : d_(d) { d_.disableControls(); }
    ~ControlsDisabled() { d_.enableControls(); }

private:
    Dataset& d_;
};

}  // namespace

std::vector<Line> readLines(Dataset& source) {
    std::vector<Line> lines;
    if (!source.active()) return lines;
    ControlsDisabled quiet(source);
    Field* fields[6];
    for (int i = 0; i < 6; ++i) fields[i] = source.fieldByName(QString::fromLatin1(kFields[i]));
    Field* controle = source.fieldByName(QStringLiteral("mov_cd_controle"));
    const QVariant current = source.isEmpty() ? QVariant() : controle->value();

    int back = 0;
    int at = 0;
    for (source.first(); !source.eof(); source.next(), ++at) {
        Line line;
        for (int i = 0; i < 6; ++i) line[size_t(i)] = fields[i]->displayText();
        lines.push_back(std::move(line));
        if (current.isValid() && controle->value() == current) back = at;
    }
    if (source.rowCount() > 0) source.moveTo(back);
    return lines;
}

}  // namespace meru::report
