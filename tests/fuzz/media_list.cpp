// Media list validation. Input: the text of a ".kcd" file; its "Type" names the model it is
// checked against (the store reads each model's own folder), model 0 when it names none.
//
// Contract: an accepted file gives a blade of the model's catalogue and levels inside the
// model's ranges (the offset in the blade's own range, 0 for a tool series); writing the
// record back, into the same text or into a new file, reads back as the same record.
#include "FuzzCheck.h"

#include "conditions/MediaListFile.h"
#include "models/PlotterModel.h"
#include "platform/profile/ProfileDocument.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

// Every model with its English catalogue, built once: building one costs more than a run.
const CPlotterModel& ModelNamedIn(const CProfileDocument& document) {
    static const std::array<CPlotterModel, kModelCount> models = [] {
        std::array<CPlotterModel, kModelCount> all;
        for (int i = 0; i < kModelCount; ++i) {
            all[i].Identify(ModelTable()[i].pszTypeString);
            all[i].SelectBladeCatalogue(1033);
        }
        return all;
    }();
    const std::string type = document.Get("Generic", "Type").value_or("");
    for (const CPlotterModel& model : models) {
        if (model.TypeString() == type) {
            return model;
        }
    }
    return models[0];
}

void CheckReadsBack(const CProfileDocument& document, const CPlotterModel& model,
                    const CuttingCondition& record) {
    CProfileDocument copy = CProfileDocument::Parse(document.Serialize());
    FUZZ_CHECK(medialist::Store(copy, record, model.TypeString()));
    CuttingCondition again;
    FUZZ_CHECK(medialist::Validate(CProfileDocument::Parse(copy.Serialize()), record.m_strName,
                                   model, again));
    FUZZ_CHECK(again == record);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find('\0') != std::string_view::npos) {
        return 0; // the file reader refuses binary files before parsing
    }
    const CProfileDocument document = CProfileDocument::Parse(text);
    const CPlotterModel& model = ModelNamedIn(document);
    CuttingCondition record{"unchanged", "unchanged", -7, -7, -7, -7};
    if (!medialist::Validate(document, "Fuzz", model, record)) {
        FUZZ_CHECK(record == CuttingCondition({"unchanged", "unchanged", -7, -7, -7, -7}));
        return 0;
    }
    const BladeCatalogue& catalogue = model.Catalogue();
    const int blade = catalogue.IndexOfName(record.m_strBlade);
    const ConditionRange ranges = model.ConditionRanges();
    FUZZ_CHECK(record.m_strName == "Fuzz");
    FUZZ_CHECK(blade >= 0 && catalogue.Entry(blade).strName == record.m_strBlade);
    FUZZ_CHECK(ranges.force.Contains(record.m_nForce));
    FUZZ_CHECK(ranges.speed.Contains(record.m_nSpeed));
    FUZZ_CHECK(ranges.quality.Contains(record.m_nQuality));
    FUZZ_CHECK(catalogue.Entry(blade).role == BladeRole::ToolSeries
                   ? record.m_nOffset == 0
                   : catalogue.OffsetRange(blade, ranges).Contains(record.m_nOffset));
    CheckReadsBack(document, model, record);
    CheckReadsBack(CProfileDocument(), model, record);
    return 0;
}
