#pragma once
// Stream bytes to result rows: the working copies of the attributed descriptions, their chip
// decoders, the frame evaluation and the result log, wired together. A run drives it from the
// ring; the command line drives it from a recorded acquisition.

#include <memory>
#include <string>
#include <vector>

#include "common/host.h"
#include "config/rf_description.h"
#include "run/acquisition.h"
#include "run/attribution.h"
#include "run/frame_evaluation.h"
#include "run/result_log.h"

namespace vornlfrf::run {

class DecodingPipeline {
  public:
    DecodingPipeline(const Host& host, const config::TableStore& tables);

    // Copies the attributed descriptions and gives each channel its decoders.
    void setup(const Attribution& attribution, const config::RxDescriptionTable& descriptions,
               const std::string& pwm0, const std::string& pwm1, std::int64_t lseOffsetSamples);
    // Acquisition starts: sample counter 0, decoders, evaluation and log reset.
    void start(const EvaluationSettings& evaluation, const ResultLogSettings& log,
               const AcquisitionOptions& options);
    // Before the start and after the stop the sample counter reads -1.
    void stop() { started_ = false; }

    std::int64_t sampleCounter() const {
        return started_ ? static_cast<std::int64_t>(acquisition_.sampleCounter()) : -1;
    }
    Acquisition& acquisition() { return acquisition_; }
    ResultLog& resultLog() { return resultLog_; }
    FrameEvaluator& evaluator() { return evaluator_; }
    RunFrameSink& sink() { return sink_; }
    const std::vector<config::TRXREC>& working() const { return working_; }

  private:
    ResultLog resultLog_;
    FrameEvaluator evaluator_;
    RunFrameSink sink_;
    Acquisition acquisition_;
    std::vector<config::TRXREC> working_;
    std::vector<DecoderDescription> decoderDescriptions_;
    std::vector<DecoderState> decoderStates_;
    std::int64_t lseOffset_ = 0;
    bool started_ = false;
};

}  // namespace vornlfrf::run
