#include "settings/XMLFile.h"

#include <algorithm>

#include "base/uAtomicReplace.h"
#include "base/uExecutable.h"
#include "base/uText.h"
#include "startup/uLocaleText.h"
#include "startup/uTrace.h"

namespace qlm {

namespace {

// DOMDocument of MSXML 3, the DOM that every supported Windows has, and the
// version-independent DOMDocument as the fall-back.
const CLSID kDomDocument30 = {0xf5078f32, 0xc551, 0x11d3,
                              {0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21}};
const CLSID kDomDocument = {0x2933bf90, 0x7b36, 0x11d2,
                            {0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60}};

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::wstring Wide(const std::string& text) { return AnsiToWide(text); }

// A VARIANT holding a BSTR of the given text, cleared at the end of scope.
class TBstrVariant {
 public:
  explicit TBstrVariant(const std::string& text) {
    ::VariantInit(&fValue);
    fValue.vt = VT_BSTR;
    fValue.bstrVal = ::SysAllocString(Wide(text).c_str());
  }
  ~TBstrVariant() { ::VariantClear(&fValue); }
  TBstrVariant(const TBstrVariant&) = delete;
  TBstrVariant& operator=(const TBstrVariant&) = delete;
  const VARIANT& Get() const { return fValue; }

 private:
  VARIANT fValue;
};

void Check(HRESULT result, const char* what) {
  if (FAILED(result)) throw EXMLFileError(what);
}

std::string Utf8(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) throw EXMLFileError("Cannot encode the settings document!");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

// A value that the system code page cannot hold exactly counts as unreadable:
// its nearest single-byte form may name another folder, or be a wildcard.
std::optional<std::string> SystemText(const wchar_t* text, int length, const std::string& path) {
  auto narrow = WideToAnsi(text, length);
  if (!narrow) Log(LVL_WARNING, "Settings value not in the system code page, ignored: " + path);
  return narrow;
}

}  // namespace

std::vector<std::string> SplitXMLPath(const std::string& path) {
  std::string normal = Trim(path);
  if (!normal.empty() && normal.front() == '\\') normal.erase(0, 1);
  if (!normal.empty() && normal.back() == '\\') normal.pop_back();
  std::replace(normal.begin(), normal.end(), ' ', '_');
  std::vector<std::string> names;
  if (normal.empty()) return names;
  for (std::string_view name : SplitAt(normal, '\\')) names.emplace_back(name);
  return names;
}

std::string JoinXMLParts(const std::vector<std::string>& parts) {
  std::string path;
  for (const std::string& part : parts) path += "\\" + part;
  return path;
}

namespace {

// An empty document that never loads anything beyond the text it is given;
// none when no DOM can be made.
TComPtr<IXMLDOMDocument> NewDocument() {
  TComPtr<IXMLDOMDocument> document;
  HRESULT created =
      ::CoCreateInstance(kDomDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                         reinterpret_cast<void**>(document.Put()));
  if (FAILED(created)) {
    created = ::CoCreateInstance(kDomDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                                 reinterpret_cast<void**>(document.Put()));
  }
  if (FAILED(created)) return {};
  document->put_async(VARIANT_FALSE);
  document->put_validateOnParse(VARIANT_FALSE);
  document->put_resolveExternals(VARIANT_FALSE);
  document->put_preserveWhiteSpace(VARIANT_FALSE);
  return document;
}

}  // namespace

TXMLFile::TXMLFile(std::string fileName) : fFileName(std::move(fileName)) {
  if (!fCom.Initialised() && fCom.Result() != RPC_E_CHANGED_MODE) {
    throw EXMLFileError("CoInitialize failed!");
  }
  fDocument = NewDocument();
  if (!fDocument) throw EXMLFileError("Cannot create the XML document!");
}

// The document and the base node are members declared after fCom: they are
// released before COM is.
TXMLFile::~TXMLFile() = default;

std::string TXMLFile::FullPath() const {
  return ExecutableFolder() + fFileName;
}

bool TXMLFile::Load() {
  fBase.Reset();
  TBstrVariant path(FullPath());
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT result = fDocument->load(path.Get(), &loaded);
  if (FAILED(result) || loaded != VARIANT_TRUE) {
    SetXML("");
    return false;
  }
  return true;
}

namespace {

void AppendEscaped(std::wstring& out, const wchar_t* text, UINT length, bool attribute) {
  for (UINT i = 0; i < length; ++i) {
    const wchar_t c = text[i];
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += attribute ? L"&quot;" : L"\""; break;
      default: out += c;
    }
  }
}

std::wstring NodeName(IXMLDOMNode* node) {
  TBstr name;
  node->get_nodeName(name.Put());
  return name.Get() != nullptr ? std::wstring(name.Get(), name.Length()) : std::wstring();
}

std::wstring NodeValue(IXMLDOMNode* node) {
  VARIANT value;
  ::VariantInit(&value);
  std::wstring text;
  if (SUCCEEDED(node->get_nodeValue(&value)) && value.vt == VT_BSTR && value.bstrVal != nullptr) {
    text.assign(value.bstrVal, ::SysStringLen(value.bstrVal));
  }
  ::VariantClear(&value);
  return text;
}

void AppendAttributes(std::wstring& out, IXMLDOMNode* element) {
  TComPtr<IXMLDOMNamedNodeMap> attributes;
  long count = 0;
  if (FAILED(element->get_attributes(attributes.Put())) || !attributes ||
      FAILED(attributes->get_length(&count))) {
    return;
  }
  for (long i = 0; i < count; ++i) {
    TComPtr<IXMLDOMNode> attribute;
    if (FAILED(attributes->get_item(i, attribute.Put())) || !attribute) continue;
    const std::wstring value = NodeValue(attribute.Get());
    out += L' ' + NodeName(attribute.Get()) + L"=\"";
    AppendEscaped(out, value.data(), static_cast<UINT>(value.size()), true);
    out += L'"';
  }
}

// Writes a node and its children with no white space added, so that a
// document without white-space text is one line.
void AppendNode(std::wstring& out, IXMLDOMNode* node) {
  DOMNodeType type = NODE_INVALID;
  node->get_nodeType(&type);
  switch (type) {
    case NODE_ELEMENT: {
      const std::wstring name = NodeName(node);
      out += L'<' + name;
      AppendAttributes(out, node);
      TComPtr<IXMLDOMNode> child;
      node->get_firstChild(child.Put());
      if (!child) {
        out += L"/>";
        return;
      }
      out += L'>';
      while (child) {
        AppendNode(out, child.Get());
        TComPtr<IXMLDOMNode> next;
        child->get_nextSibling(next.Put());
        child = std::move(next);
      }
      out += L"</" + name + L'>';
      return;
    }
    case NODE_TEXT: {
      const std::wstring text = NodeValue(node);
      AppendEscaped(out, text.data(), static_cast<UINT>(text.size()), false);
      return;
    }
    case NODE_CDATA_SECTION:
      out += L"<![CDATA[" + NodeValue(node) + L"]]>";
      return;
    case NODE_COMMENT:
      out += L"<!--" + NodeValue(node) + L"-->";
      return;
    default:
      return;  // declarations and other nodes are not written
  }
}

}  // namespace

std::string TXMLFile::SerialisedUtf8() const {
  std::wstring text;
  TComPtr<IXMLDOMNode> child;
  fDocument->get_firstChild(child.Put());
  while (child) {
    AppendNode(text, child.Get());
    TComPtr<IXMLDOMNode> next;
    child->get_nextSibling(next.Put());
    child = std::move(next);
  }
  return Utf8(text.data(), static_cast<int>(text.size()));
}

void TXMLFile::Save() {
  if (fFileName.empty()) return;
  const std::string bytes = SerialisedUtf8();
  const std::string target = FullPath();
  if (!WriteFileAtomically(target, bytes)) throw EXMLFileError("Cannot write " + target);
}

bool TXMLFile::SetXML(const std::string& text) {
  fBase.Reset();
  if (!text.empty()) {
    // Parsed into a document of its own, so that malformed text leaves the
    // current one as it was.
    TComPtr<IXMLDOMDocument> parsed = NewDocument();
    TBstr xml(Wide(text).c_str());
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (!parsed || FAILED(parsed->loadXML(xml.Get(), &loaded)) || loaded != VARIANT_TRUE) {
      Log(LVL_ERROR, "XML text cannot be parsed, the document is unchanged");
      return false;
    }
    fDocument = std::move(parsed);
    return true;
  }
  TComPtr<IXMLDOMNode> child;
  while (SUCCEEDED(fDocument->get_firstChild(child.Put())) && child) {
    TComPtr<IXMLDOMNode> removed;
    if (FAILED(fDocument->removeChild(child.Get(), removed.Put()))) {
      Log(LVL_ERROR, "XML document cannot be emptied");
      return false;
    }
  }
  return true;
}

TComPtr<IXMLDOMNode> TXMLFile::DocumentNode() const {
  TComPtr<IXMLDOMNode> node;
  fDocument->QueryInterface(IID_IXMLDOMNode, reinterpret_cast<void**>(node.Put()));
  return node;
}

TComPtr<IXMLDOMNode> TXMLFile::FirstChildNamed(IXMLDOMNode* parent,
                                               const std::wstring& name) const {
  TComPtr<IXMLDOMNode> child;
  if (parent == nullptr || FAILED(parent->get_firstChild(child.Put()))) return {};
  while (child) {
    DOMNodeType type = NODE_INVALID;
    TBstr childName;
    if (SUCCEEDED(child->get_nodeType(&type)) && type == NODE_ELEMENT &&
        SUCCEEDED(child->get_nodeName(childName.Put())) && childName.Get() != nullptr &&
        name == childName.Get()) {
      return child;
    }
    TComPtr<IXMLDOMNode> next;
    if (FAILED(child->get_nextSibling(next.Put()))) return {};
    child = std::move(next);
  }
  return {};
}

TComPtr<IXMLDOMNode> TXMLFile::FindPath(const std::string& path) const {
  const std::vector<std::string> names = SplitXMLPath(path);
  if (names.empty()) return {};
  TComPtr<IXMLDOMNode> top = fBase ? TComPtr<IXMLDOMNode>() : DocumentNode();
  IXMLDOMNode* start = fBase ? fBase.Get() : top.Get();
  TComPtr<IXMLDOMNode> current = FirstChildNamed(start, Wide(names.front()));
  for (std::size_t i = 1; i < names.size() && current; ++i) {
    current = FirstChildNamed(current.Get(), Wide(names[i]));
  }
  return current;
}

std::optional<std::string> TXMLFile::ReadValue(const std::string& path,
                                               std::optional<std::string> defaultValue) const {
  TComPtr<IXMLDOMNode> element = FindPath(path);
  if (!element) return defaultValue;
  TComPtr<IXMLDOMNodeList> children;
  long count = 0;
  if (FAILED(element->get_childNodes(children.Put())) || !children ||
      FAILED(children->get_length(&count)) || count != 1) {
    return defaultValue;
  }
  TComPtr<IXMLDOMNode> child;
  DOMNodeType type = NODE_INVALID;
  if (FAILED(children->get_item(0, child.Put())) || !child ||
      FAILED(child->get_nodeType(&type)) || type != NODE_TEXT) {
    return defaultValue;
  }
  const std::wstring text = NodeValue(child.Get());
  if (text.empty()) return defaultValue;
  auto value = SystemText(text.data(), static_cast<int>(text.size()), path);
  return value ? value : defaultValue;
}

TComPtr<IXMLDOMNode> TXMLFile::AppendElement(IXMLDOMNode* parent, const std::wstring& name) {
  TComPtr<IXMLDOMElement> element;
  TBstr tag(name.c_str());
  Check(fDocument->createElement(tag.Get(), element.Put()), "Cannot create an XML element!");
  TComPtr<IXMLDOMNode> appended;
  Check(parent->appendChild(element.Get(), appended.Put()), "Cannot append an XML element!");
  return appended;
}

void TXMLFile::AddValue(const std::string& path, const std::string& value) {
  const std::vector<std::string> names = SplitXMLPath(path);
  if (names.empty()) return;
  TComPtr<IXMLDOMNode> current;
  if (fBase) {
    current = AppendElement(fBase.Get(), Wide(names.front()));
  } else {
    TComPtr<IXMLDOMNode> document = DocumentNode();
    current = FirstChildNamed(document.Get(), Wide(names.front()));
    if (!current) current = AppendElement(document.Get(), Wide(names.front()));
  }
  for (std::size_t i = 1; i < names.size(); ++i) {
    const std::wstring name = Wide(names[i]);
    const bool last = i + 1 == names.size();
    TComPtr<IXMLDOMNode> next = last ? TComPtr<IXMLDOMNode>() : FirstChildNamed(current.Get(), name);
    if (!next) next = AppendElement(current.Get(), name);
    current = std::move(next);
  }
  TBstr text(Wide(value).c_str());
  Check(current->put_text(text.Get()), "Cannot set an XML value!");
}

std::optional<std::string> TXMLFile::ReadAttribute(const std::string& path,
                                                   const std::string& name,
                                                   std::optional<std::string> defaultValue) const {
  TComPtr<IXMLDOMNode> node = FindPath(path);
  if (!node) return defaultValue;
  TComPtr<IXMLDOMElement> element;
  if (FAILED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(element.Put())))) {
    return std::nullopt;
  }
  TBstr attributeName(Wide(name).c_str());
  VARIANT value;
  ::VariantInit(&value);
  if (element->getAttribute(attributeName.Get(), &value) != S_OK || value.vt != VT_BSTR) {
    ::VariantClear(&value);
    return std::nullopt;
  }
  auto text =
      SystemText(value.bstrVal, static_cast<int>(::SysStringLen(value.bstrVal)), path + "@" + name);
  ::VariantClear(&value);
  return text ? text : defaultValue;
}

void TXMLFile::WriteAttribute(const std::string& path, const std::string& name,
                              const std::string& value) {
  TComPtr<IXMLDOMNode> node = FindPath(path);
  if (!node) return;
  TComPtr<IXMLDOMElement> element;
  if (FAILED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(element.Put())))) {
    return;
  }
  TBstr attributeName(Wide(name).c_str());
  TBstrVariant text(value);
  Check(element->setAttribute(attributeName.Get(), text.Get()), "Cannot set an XML attribute!");
}

void TXMLFile::AddNode(const std::vector<std::string>& parts, bool makeBase) {
  const std::string path = JoinXMLParts(parts);
  AddValue(path, "");
  if (makeBase) SetBase(path);
}

void TXMLFile::SetBase(const std::string& path) {
  fBase.Reset();
  fBase = FindPath(path);
}

void TXMLFile::SetBaseParts(const std::vector<std::string>& parts) { SetBase(JoinXMLParts(parts)); }

void TXMLFile::ClearBase() { fBase.Reset(); }

}  // namespace qlm
