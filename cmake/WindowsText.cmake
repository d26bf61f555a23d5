# Turns a UTF-8 text with LF line ends into what Notepad on an older German
# Windows shows correctly: Windows-1252 with CR LF.
#   cmake -DIN=<utf-8 file> -DOUT=<windows file> -P WindowsText.cmake
# A character that Windows-1252 lacks fails the build rather than turning
# into a question mark in the user's file.
foreach(var IN ITEMS IN OUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "WindowsText.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${IN}" text)
string(FIND "${text}" "\r" carriageReturn)
if(NOT carriageReturn EQUAL -1)
    message(FATAL_ERROR "${IN}: keep the source with LF line ends only")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}.crlf" "${text}")

find_program(ICONV iconv REQUIRED)
execute_process(
    COMMAND "${ICONV}" -f UTF-8 -t WINDOWS-1252 "${OUT}.crlf"
    OUTPUT_FILE "${OUT}"
    ERROR_VARIABLE iconvError
    RESULT_VARIABLE iconvResult)
file(REMOVE "${OUT}.crlf")
if(NOT iconvResult EQUAL 0)
    file(REMOVE "${OUT}")
    message(FATAL_ERROR "${IN}: not convertible to Windows-1252: ${iconvError}")
endif()
