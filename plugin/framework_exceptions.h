// The application framework's failures, as the plug-in throws and catches them.
//
// CException objects are thrown by pointer (throw new CFileException(...)); whoever catches one
// reports it with ReportError and releases it with Delete. A CString is thrown by value and holds
// a complete message in platform text.
#pragma once

#include <string>

using CString = std::string;

class CException {
 public:
  CException() = default;
  CException(const CException&) = delete;
  CException& operator=(const CException&) = delete;
  virtual ~CException() = default;

  // The message that describes the failure, platform text.
  virtual CString GetErrorMessage() const = 0;
  // Shows the message in a box with an OK button; returns when it is closed.
  void ReportError() const;
  void Delete() { delete this; }
};

// Memory that could not be had: what the framework's allocation throws, here where the language's
// allocation throws std::bad_alloc instead.
class CMemoryException : public CException {
 public:
  CString GetErrorMessage() const override;
};

// A file that could not be written.
class CFileException : public CException {
 public:
  enum Cause { generic, diskFull };
  // `fileName` is platform text.
  CFileException(Cause cause, CString fileName) : cause_(cause), fileName_(std::move(fileName)) {}
  Cause GetCause() const { return cause_; }
  CString GetErrorMessage() const override;

 private:
  Cause cause_;
  CString fileName_;
};
