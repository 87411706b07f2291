// The sample bar put into the database.
#include "app/sample_bar.h"
#include "db/cdb.h"

void AddSampleBar(CDB& db, SampleBarProbes& probes) {
  const int bar = db.AddBar(kSampleBarName);
  if (bar < 0) return;
  for (const SampleButton& sample : SampleBarButtons(probes)) {
    if (sample.separator) {
      db.Bar(bar)->InsertSeparator(-1);
      continue;
    }
    ButtonSpec request;
    request.Target = sample.target;
    request.Name = sample.name;
    request.WorkDir = sample.workDir;
    request.IconFile = sample.iconFile;
    request.Kind = sample.kind;
    request.Bar = bar;
    db.AddButton(request);
  }
}
