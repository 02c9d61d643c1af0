#include "accessories/scales/scale_reading.h"

#include <memory>
#include <string>

#include "accessories/scales/quel_bp_scale.h"
#include "accessories/scales/quel_cs_scale.h"
#include "core/return_code.h"
#include "protocol/call.h"

namespace quelfi::accessories {
namespace {

// The scale's state shows in the weight's third character.
constexpr std::size_t kStateAt = 2;

int stateCode(char state) {
    switch (state) {
        case 'N':
            return core::rc::kScaleN;
        case 'I':
            return core::rc::kScaleI;
        case 'S':
            return core::rc::kScaleS;
        default:
            return core::rc::kOk;
    }
}

}  // namespace

int readScale(const protocol::Road& road, const char* port, int model, char* weight,
              char* unitPrice, char* total) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_InfoBalanca"));
    std::unique_ptr<QuelScale> scale;
    if (model == 1)
        scale = std::make_unique<QuelBPScale>();
    else if (model == 2)
        scale = std::make_unique<QuelCSScale>();
    else
        return call.finish(core::rc::kInvalidParameter);
    const std::string portName = core::argText(port);
    if (const auto forwarded = call.handOver({portName, std::to_string(model)})) return *forwarded;
    if (!scale->query(portName, weight, unitPrice, total))
        return call.fail(core::rc::kCommunication, "Erro de comunicacao ");
    char shown[6] = {};
    scale->weight(shown);
    return call.finish(stateCode(shown[kStateAt]));
}

}  // namespace quelfi::accessories
