# Writes a C++ source that holds every line of a text file as one string
# literal, so the stand-in carries its tables of facts inside the library and
# reads no file at run time.
#   cmake -DINPUT=table.tsv -DOUTPUT=table.cpp -DSYMBOL=kName -P EmbedLines.cmake
# The source defines skysim::SYMBOL (the lines, in order, without their line
# ends) and skysim::SYMBOLCount.
file(STRINGS "${INPUT}" lines)
get_filename_component(source_name "${INPUT}" NAME)
set(text "// Generated from ${source_name} by EmbedLines.cmake: edit the table, not this file.\n")
string(APPEND text "namespace skysim {\nextern const char* const ${SYMBOL}[] = {\n")
set(count 0)
foreach(line IN LISTS lines)
  string(REPLACE "\\" "\\\\" line "${line}")
  string(REPLACE "\"" "\\\"" line "${line}")
  string(REPLACE "\t" "\\t" line "${line}")
  string(APPEND text "    \"${line}\",\n")
  math(EXPR count "${count} + 1")
endforeach()
string(APPEND text "};\nextern const int ${SYMBOL}Count = ${count};\n}  // namespace skysim\n")
file(WRITE "${OUTPUT}" "${text}")
