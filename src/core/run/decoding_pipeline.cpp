#include "run/decoding_pipeline.h"

namespace vornlfrf::run {

DecodingPipeline::DecodingPipeline(const Host& host, const config::TableStore& tables)
    : resultLog_(host, [this] { return sampleCounter(); }),
      evaluator_(
          host, [this] { return sampleCounter(); }, tables),
      sink_(evaluator_, resultLog_, [this] { return sampleCounter(); }),
      acquisition_(sink_) {}

void DecodingPipeline::setup(const Attribution& attribution,
                             const config::RxDescriptionTable& descriptions,
                             const std::string& pwm0, const std::string& pwm1,
                             std::int64_t lseOffsetSamples) {
    lseOffset_ = lseOffsetSamples;
    working_.clear();
    for (int idx : attribution.working)
        working_.push_back(descriptions.records[static_cast<std::size_t>(idx)]);
    decoderDescriptions_.clear();
    for (const config::TRXREC& rec : working_)
        decoderDescriptions_.push_back(decoderDescription(rec, pwm0, pwm1));
    decoderStates_.assign(working_.size(), DecoderState{});
    for (int c = 0; c < 4; ++c) {
        std::vector<ChannelDecoder::Slot> decoderSlots;
        std::vector<RunFrameSink::Slot> sinkSlots;
        for (int w : attribution.channels[static_cast<std::size_t>(c)].descriptions) {
            const std::size_t i = static_cast<std::size_t>(w);
            decoderSlots.push_back({&decoderDescriptions_[i], &decoderStates_[i]});
            sinkSlots.push_back({&working_[i], &decoderStates_[i]});
        }
        acquisition_.setChannel(c, decoderSlots);
        sink_.setChannel(c, sinkSlots);
    }
    acquisition_.setMatchHook([this](int channel, std::size_t slot) {
        sink_.takeLseSnapshot(channel, slot, acquisition_.lse(), lseOffset_);
    });
}

void DecodingPipeline::start(const EvaluationSettings& evaluation, const ResultLogSettings& log,
                             const AcquisitionOptions& options) {
    evaluator_.start(evaluation);
    resultLog_.start(log);
    acquisition_.configure(options);
    acquisition_.start();
    // Once a second of stream, an LSE sensor's speed is logged among the frames.
    sink_.sampleMark = options.lse ? std::function<void()>([this, kind = options.lseKind] {
        resultLog_.logLseRow(kind, acquisition_.lse().current().avgSpeed);
    })
                                   : std::function<void()>();
    started_ = true;
}

}  // namespace vornlfrf::run
