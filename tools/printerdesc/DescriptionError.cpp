#include "tools/printerdesc/DescriptionError.h"

#include <utility>

DescriptionError::DescriptionError(std::string file, int line, const std::string& problem)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + problem), file_(std::move(file)),
      line_(line), problem_(problem) {}
