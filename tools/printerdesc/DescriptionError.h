#pragma once
// A mistake in a printer description: the file and line it was found on and
// what is wrong there. The compiler stops at the first one; its text is
// what a person reads ("qvcolor.qvpd:12: unknown kind 'valu'").
#include <stdexcept>
#include <string>

class DescriptionError : public std::runtime_error {
public:
    DescriptionError(std::string file, int line, const std::string& problem);

    const std::string& File() const { return file_; }
    int Line() const { return line_; }
    const std::string& Problem() const { return problem_; }

private:
    std::string file_;
    int line_;
    std::string problem_;
};
