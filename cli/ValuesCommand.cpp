#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "run/RunTexts.h"
#include "values/EngineeringNotation.h"
#include "values/ResValueSet.h"

namespace ordavin::cli {

int RunValuesCommand(const ValuesArguments& arguments, const Streams& streams) {
  CResValueSet values;
  if (!LoadSeries(arguments.seriesPath, values, streams.err)) return kExitRefused;

  const auto full = values.FullValues();
  if (arguments.json) {
    Json texts = Json::array();
    for (const double value : full) texts.push_back(FormatResistance(value));
    Json document = Json::object();
    document["count"] = values.m_nTotal;
    document["values"] = NumbersJson(full);
    document["texts"] = std::move(texts);
    streams.out << WriteJson(document) << '\n';
  } else {
    for (std::size_t i = 0; i < full.size(); ++i) {
      streams.out << i << '\t' << FormatResistance(full[i]) << '\n';
    }
    streams.out << FormatValuesLoaded(values.m_nTotal) << '\n';
  }
  return kExitSuccess;
}

}  // namespace ordavin::cli
