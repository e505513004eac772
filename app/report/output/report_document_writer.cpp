#include "report/output/report_document_writer.h"

#include <cstring>

#include "platform/temp_file.h"

ReportDocumentWriter::~ReportDocumentWriter()
{
    if (file_.IsOpen() || !path_.empty())
        Discard();
}

bool ReportDocumentWriter::Create(std::uint32_t* systemError)
{
    const std::string path = platform::NewTemporaryPath("VES");
    if (path.empty()) {
        failed_ = true;
        systemError_ = platform::LastSystemError();
        if (systemError != nullptr)
            *systemError = systemError_;
        return false;
    }
    if (CreateAt(path, systemError))
        return true;
    platform::RemoveFile(path);
    return false;
}

bool ReportDocumentWriter::CreateAt(const std::string& path, std::uint32_t* systemError)
{
    if (file_.IsOpen() || !path_.empty())
        Discard();
    platform::FileOpenOptions options;
    options.access = platform::FileAccess::ReadWrite;
    options.share = platform::FileShare::None;
    options.disposition = platform::FileDisposition::CreateAlways;
    file_ = platform::File::Open(path, options);
    buffer_.clear();
    written_ = 0;
    if (!file_.IsOpen()) {
        failed_ = true;
        systemError_ = platform::LastSystemError();
        if (systemError != nullptr)
            *systemError = systemError_;
        path_.clear();
        return false;
    }
    path_ = path;
    failed_ = false;
    systemError_ = 0;
    buffer_.reserve(BufferSize);
    return true;
}

bool ReportDocumentWriter::Fail()
{
    if (!failed_)
        systemError_ = platform::LastSystemError();
    failed_ = true;
    buffer_.clear();
    return false;
}

bool ReportDocumentWriter::Flush()
{
    if (failed_)
        return false;
    if (buffer_.empty())
        return true;
    if (!file_.WriteAt(written_, buffer_.data(), buffer_.size()))
        return Fail();
    written_ += buffer_.size();
    buffer_.clear();
    return true;
}

bool ReportDocumentWriter::WriteBytes(const void* bytes, std::size_t length)
{
    if (failed_)
        return false;
    const auto* from = static_cast<const std::uint8_t*>(bytes);
    while (length > 0) {
        if (buffer_.size() == BufferSize && !Flush())
            return false;
        const std::size_t room = BufferSize - buffer_.size();
        const std::size_t part = length < room ? length : room;
        buffer_.insert(buffer_.end(), from, from + part);
        from += part;
        length -= part;
    }
    return true;
}

bool ReportDocumentWriter::WriteHeader(const ReportDocumentHeader& header)
{
    std::uint8_t bytes[ReportDocumentHeaderSize];
    return WriteBytes(bytes, EncodeDocumentHeader(header, bytes));
}

bool ReportDocumentWriter::WriteStyle(const ReportStyle& style)
{
    std::uint8_t bytes[ReportStyleRecordSize];
    return WriteBytes(bytes, EncodeStyle(style, bytes));
}

bool ReportDocumentWriter::WriteCode(std::uint8_t code)
{
    return WriteBytes(&code, 1);
}

bool ReportDocumentWriter::WriteTextRunHeader(const TextRunHeader& run)
{
    std::uint8_t bytes[TextRunHeaderSize];
    return WriteBytes(bytes, EncodeTextRunHeader(run, bytes));
}

bool ReportDocumentWriter::WriteText(std::string_view text)
{
    return WriteBytes(text.data(), text.size());
}

bool ReportDocumentWriter::WriteTextAndEnd(std::string_view text)
{
    return WriteText(text) && WriteCode(RecordEnd);
}

bool ReportDocumentWriter::WriteTable(const TableHeader& table)
{
    std::uint8_t bytes[TableRecordSize(TableColumnCapacity)];
    return WriteBytes(bytes, EncodeTable(table, bytes));
}

bool ReportDocumentWriter::WriteCell(std::uint32_t background)
{
    std::uint8_t bytes[CellRecordSize];
    return WriteBytes(bytes, EncodeCell(background, bytes));
}

bool ReportDocumentWriter::WriteDrawing(const DrawingRecord& drawing, std::string_view text)
{
    std::uint8_t bytes[LargestRecordSize];
    if (!WriteBytes(bytes, EncodeDrawing(drawing, bytes)))
        return false;
    if (drawing.kind == DrawTextBox || drawing.kind == DrawSector)
        return WriteTextAndEnd(text);
    return true;
}

bool ReportDocumentWriter::WritePicture(const PictureHeader& picture, std::string_view fileType,
                                        const std::uint8_t* image)
{
    std::uint8_t bytes[PictureHeaderSize];
    return WriteBytes(bytes, EncodePictureHeader(picture, bytes)) &&
           WriteTextAndEnd(fileType.substr(0, 4)) && WriteBytes(image, picture.imageSize);
}

bool ReportDocumentWriter::WriteTitle(const TitleRecord& title)
{
    std::uint8_t bytes[TitleRecordSize];
    return WriteBytes(bytes, EncodeTitle(title, bytes));
}

bool ReportDocumentWriter::WriteIndexEntry(const IndexEntry& entry, std::string_view text)
{
    std::uint8_t bytes[IndexEntryHeaderSize];
    return WriteBytes(bytes, EncodeIndexEntry(entry, bytes)) && WriteTextAndEnd(text);
}

bool ReportDocumentWriter::WriteChartHeader(const ChartHeader& chart)
{
    std::uint8_t bytes[ChartHeaderSize];
    return WriteBytes(bytes, EncodeChartHeader(chart, bytes));
}

bool ReportDocumentWriter::WriteChartPoint(const ChartPoint& point)
{
    std::uint8_t bytes[ChartPointSize];
    return WriteBytes(bytes, EncodeChartPoint(point, bytes));
}

bool ReportDocumentWriter::Close()
{
    const bool written = Flush();
    file_.Close();
    return written;
}

void ReportDocumentWriter::Discard()
{
    file_.Close();
    if (!path_.empty())
        platform::RemoveFile(path_);
    path_.clear();
    buffer_.clear();
    failed_ = true;
}

std::string ReportDocumentWriter::Release()
{
    file_.Close();
    std::string path;
    path.swap(path_);
    failed_ = true;
    return path;
}
