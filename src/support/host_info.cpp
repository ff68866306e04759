#include "mfreport/support/host_info.h"

#include <string>

#include "mfreport/platform/host.h"
#include "mfreport/record/fixed_text.h"
#include "mfreport/support/idents.h"

namespace mfreport::support {

namespace {

using record::FixedString;

constexpr int32_t kNotFetched = -9999;

struct UserCache {
    int32_t state = kNotFetched;
    FixedString<20> user;
    FixedString<80> account;
};

struct SystemCache {
    int32_t state = kNotFetched;
    FixedString<80> computer;
    FixedString<80> processor;
    FixedString<80> system;
    FixedString<50> installation;
    int32_t host_id = 0;
    int32_t upper = kFalse;
};

UserCache& userCache() {
    static UserCache cache;
    return cache;
}

SystemCache& systemCache() {
    static SystemCache cache;
    return cache;
}

void fillSystemCache(SystemCache& cache) {
    assign(cache.computer, platform::hostComputerName());
    assign(cache.processor, std::to_string(platform::hostProcessorType()));
    assign(cache.system, platform::hostSystemText());
    const int32_t id = platform::hostId();
    cache.host_id = id < 0 ? 0 : id;
    cache.upper = ISUPPER();

    // The installation ident, then the computer name after one blank.
    int32_t count = 0;
    IDQUERY("GET", "INSTALLATION", TextArray(&cache.installation[0], cache.installation.size(), 1),
            1, count);
    const int32_t k = record::TRMLEN(cache.installation) + 2;
    if (k <= cache.installation.size()) {
        assign(cache.installation.view().sub(k, cache.installation.size()), cache.computer.view());
    }
    cache.state = 0;
}

} // namespace

void USRINF(FixedText user, FixedText account, int32_t& batch) {
    UserCache& cache = userCache();
    if (cache.state == kNotFetched) {
        assign(cache.user, platform::hostUserName());
        cache.account.view().blank();
        cache.state = 0;
    }
    assign(user, cache.user);
    assign(account, cache.account);
    batch = ISBATCH();
}

void SYSINF(FixedText installation, FixedText processor, FixedText system, int32_t& host_id,
            int32_t& upper) {
    SystemCache& cache = systemCache();
    if (cache.state == kNotFetched) {
        fillSystemCache(cache);
    }
    assign(installation, cache.installation);
    assign(processor, cache.processor);
    assign(system, cache.system);
    host_id = cache.host_id;
    upper = cache.upper;
}

void SCRLIN(int32_t& lines) {
    lines = 0;
}

void resetHostInfo() {
    userCache() = UserCache();
    systemCache() = SystemCache();
}

} // namespace mfreport::support
