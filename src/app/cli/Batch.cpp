#include "app/cli/Batch.h"

#include <filesystem>
#include <map>

#include "base/Parallel.h"

namespace lumarte::cli {

namespace fs = std::filesystem;

namespace {

// The same file however it is spelt: hard links and symbolic links too.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec, ea, eb;
  if (fs::equivalent(a, b, ec)) return true;
  const fs::path ca = fs::weakly_canonical(a, ea), cb = fs::weakly_canonical(b, eb);
  return !ea && !eb && ca == cb;
}

std::string RunJob(const TBatchJob& job, const TBatchRead& read,
                   const editor::TSaveOptions& options) {
  imaging::TRevedBitmap image;
  try {
    read(job.Input, image);
  } catch (const std::exception& e) {
    return job.Input + ": " + e.what();
  }
  try {
    editor::SaveImageBuffer(job.Output, image, options);
  } catch (const std::exception& e) {
    return job.Output + ": " + e.what();
  }
  return "";
}

}  // namespace

std::vector<TBatchJob> PlanInFolder(const std::vector<std::string>& inputs, const std::string& dir,
                                    const std::string& ext) {
  std::vector<TBatchJob> jobs;
  for (const std::string& in : inputs) {
    fs::path name = fs::path(in).filename();
    if (!ext.empty()) name.replace_extension(ext);
    jobs.push_back({in, (fs::path(dir) / name).string(), ""});
  }
  return jobs;
}

std::vector<TBatchJob> PlanJobs(const std::vector<std::string>& inputs, const std::string& output,
                                const std::string& dir, const std::string& ext) {
  if (dir.empty()) return {{inputs.at(0), output, ""}};
  return PlanInFolder(inputs, dir, ext);
}

bool MakeOutputFolder(const std::string& dir, std::FILE* err) {
  if (dir.empty()) return true;
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) std::fprintf(err, "lumarte-cli: %s: %s\n", dir.c_str(), ec.message().c_str());
  return !ec;
}

void RefuseClashes(std::vector<TBatchJob>& jobs) {
  for (size_t i = 0; i < jobs.size(); ++i) {
    TBatchJob& job = jobs[i];
    for (size_t k = 0; k < jobs.size() && job.Refusal.empty(); ++k) {
      if (SameFile(job.Output, jobs[k].Input))
        job.Refusal = k == i ? job.Input + ": the output would be written over this input itself"
                             : job.Input + ": the output " + job.Output +
                                   " would be written over the input " + jobs[k].Input;
      else if (k < i && jobs[k].Refusal.empty() && SameFile(job.Output, jobs[k].Output))
        job.Refusal =
            job.Input + ": the output " + job.Output + " is already the output of " + jobs[k].Input;
    }
  }
}

int RunBatch(const std::vector<TBatchJob>& jobs, const TBatchRead& read,
             const editor::TSaveOptions& options, std::FILE* err) {
  std::vector<std::string> failures(jobs.size());
  ParallelRanges(
      static_cast<int64_t>(jobs.size()),
      [&](int64_t begin, int64_t end) {
        for (int64_t i = begin; i < end; ++i) {
          const TBatchJob& job = jobs[static_cast<size_t>(i)];
          failures[static_cast<size_t>(i)] =
              job.Refusal.empty() ? RunJob(job, read, options) : job.Refusal;
        }
      },
      1);
  int status = 0;
  for (const std::string& f : failures) {
    if (f.empty()) continue;
    std::fprintf(err, "lumarte-cli: %s\n", f.c_str());
    status = 1;
  }
  return status;
}

}  // namespace lumarte::cli
