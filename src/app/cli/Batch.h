#pragma once
// Many files at once: where each output goes, which outputs are refused, and
// the run over all cores that reports every failure and goes on.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editor/model/SaveFormats.h"

namespace lumarte::cli {

struct TBatchJob {
  std::string Input, Output;
  std::string Refusal;  // why the job is not run; "" to run it
};

// One job per input, its output in folder dir under the input's name with
// extension ext (the input's own when ext is empty).
std::vector<TBatchJob> PlanInFolder(const std::vector<std::string>& inputs, const std::string& dir,
                                    const std::string& ext);
// IN OUT without a folder (one job), else PlanInFolder.
std::vector<TBatchJob> PlanJobs(const std::vector<std::string>& inputs, const std::string& output,
                                const std::string& dir, const std::string& ext);
// Makes the output folder when missing (nothing for ""); false, reported on
// err, when it cannot be made.
bool MakeOutputFolder(const std::string& dir, std::FILE* err);
// Refuses every job whose output is an input of the batch (its own or
// another's) or the output of an earlier job.
void RefuseClashes(std::vector<TBatchJob>& jobs);

// Reads an input into image (and changes it, for effects); raises on failure.
using TBatchRead = std::function<void(const std::string& input, imaging::TRevedBitmap& image)>;

// Runs every job that is not refused, on all cores: read, then write the
// output with options. Each failure is reported on err with the file it
// concerns, in the order of the jobs. Returns 0 when all succeeded, else 1.
int RunBatch(const std::vector<TBatchJob>& jobs, const TBatchRead& read,
             const editor::TSaveOptions& options, std::FILE* err);

}  // namespace lumarte::cli
