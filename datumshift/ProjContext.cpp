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

std::string NameOf(const PJ* object) {
    const char* name = proj_get_name(object);
    return name != nullptr ? name : "";
}

std::string CodeOf(const PJ* object) {
    const char* authority = proj_get_id_auth_name(object, 0);
    const char* code = proj_get_id_code(object, 0);
    return authority != nullptr && code != nullptr ? std::string(authority) + ":" + code : "";
}

} // namespace korvane
