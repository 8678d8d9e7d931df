#include "platform/random_source.h"

namespace platform {

RandomSource &Generateur() {
    static SeededRandom generator{[] {
        std::random_device entropy;
        return (quint64(entropy()) << 32) ^ entropy();
    }()};
    return generator;
}

} // namespace platform
