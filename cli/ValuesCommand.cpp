#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "texts/EngineeringNotation.h"
#include "texts/RunTexts.h"
#include "values/ValueSet.h"

namespace ordavin::cli {

int RunValuesCommand(const ValuesArguments& arguments, const Streams& streams) {
  ValueSet values;
  if (!LoadSeries(arguments.seriesPath, values, streams.err)) return kExitRefused;

  const auto full = values.FullValues();
  if (arguments.json) {
    Json texts = Json::array();
    for (const double value : full) texts.push_back(FormatResistance(value));
    Json document = Json::object();
    document["count"] = values.FullCount();
    document["values"] = NumbersJson(full);
    document["texts"] = std::move(texts);
    streams.out << WriteJson(document) << '\n';
  } else {
    for (std::size_t i = 0; i < full.size(); ++i) {
      streams.out << i << '\t' << FormatResistance(full[i]) << '\n';
    }
    streams.out << FormatValuesLoaded(values.FullCount()) << '\n';
  }
  return kExitSuccess;
}

}  // namespace ordavin::cli
