#include "datumshift/ProjContext.hpp"

#include "datumshift/DatumFailure.hpp"

namespace korvane {

namespace {

void KeepError(void* data, int level, const char* message) {
    if (level == PJ_LOG_ERROR && message != nullptr) {
        static_cast<std::string*>(data)->assign(message);
    }
}

} // namespace

ProjContext::ProjContext() : context_(proj_context_create()) {
    if (!context_) {
        throw DatumFailure("PROJ could not make a context");
    }
    proj_log_func(context_.get(), &lastError_, KeepError);
    proj_log_level(context_.get(), PJ_LOG_ERROR);
    proj_context_set_enable_network(context_.get(), 0);
}

std::string ProjContext::ErrorText(int error) const {
    const char* text = proj_context_errno_string(context_.get(), error);
    return text != nullptr ? text : "error " + std::to_string(error);
}

} // namespace korvane
