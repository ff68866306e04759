! The Fortran module: texts of any length, columns counted from 1, every
! kind of insert, and what it answers to failures and misuse. Prints
! "N passed, N failed" and stops with 1 on a failure.
program fortran_module_test
    use mfreport
    use, intrinsic :: iso_fortran_env, only: int64, real32, real64
    implicit none
    integer :: passed = 0, failed = 0
    type(mf_device) :: report, lost
    type(mf_contents) :: contents
    type(mf_table) :: table, none
    logical :: ok
    character(len=20) :: padded
    character(len=:), allocatable :: page

    call lost%open('no/such/folder/r.html', MF_HTML, ok=ok)
    call check(.not. ok .and. .not. lost%is_open(), 'an unopenable file gives no report')
    call check(mf_last_error() == 'Unable to open file no/such/folder/r.html.' // new_line('a') // &
               'Is file locked by another program or an illegal filename specified ?', &
               'the open failure says why')
    call check(len(mf_version()) > 0, 'a version')

    call report%open('module-test.xml', MF_XML_SS, program='Beam   ', ok=ok)
    call check(ok .and. report%kind() == MF_XML_SS, 'a workbook')
    call report%heading('Results', 1, ok)
    call check(.not. ok, 'a workbook has no headings')
    call contents%start(report, ok)
    call check(ok .and. contents%kind() == 5, 'a contents pass')
    call contents%add_table(none, 'T', 'No table', 2, ok)
    call check(.not. ok .and. .not. none%is_open(), 'a contents pass writes no tables')
    call contents%free()

    call report%add_table(table, 'FORCES', 'Element end forces', 2, ok)
    call check(ok, 'a table')
    call table%add_column('Elem', 'Element number', MF_INTEGER, ok=ok)
    call table%add_column('N', 'Normal force', MF_REAL, unit='kN', factor=0.001_real64, &
                          width=10, decimals=2, format=MF_FIXED, align=MF_CENTER, &
                          colour='FFF2CC', ok=ok)
    call table%add_column('Label', 'Label', MF_STRING)
    call table%add_column('Bad', 'Bad type', 7, ok=ok)
    call check(.not. ok .and. table%column_count() == 3, 'a bad column type adds nothing')
    call table%begin_table(ok)
    call check(ok, 'begin_table')
    call table%begin_record()
    call table%insert(1, 7)
    call table%insert(2, -12500.0_real64)
    padded = 'pier A'
    call table%insert(3, padded, keep_blanks=.true., ok=ok)
    call check(ok, 'a text with its blanks')
    call table%insert(4, 1, ok=ok)
    call check(.not. ok, 'no column 4')
    call table%insert(0, 1, ok=ok)
    call check(.not. ok, 'no column 0')
    call table%end_record(ok)
    call check(ok, 'end_record')
    call table%begin_record()
    call table%insert(1, 12345678901_int64)
    call table%insert(2, 2.5_real32)
    call table%insert(3, 'linked    ', link='FORCES')
    call table%end_record()
    call table%end_table(ok)
    call check(ok, 'end_table')
    call report%close(ok)
    call check(ok, 'close')
    call report%paragraph('late', ok)
    call check(.not. ok, 'nothing after close')
    call table%free()
    call report%free()
    call check(.not. report%is_open(), 'freed')

    page = file_text('module-test.xml')
    call check(index(page, '>pier A              <') > 0, 'the blanks kept')
    call check(index(page, '>linked<') > 0, 'trailing blanks trimmed')
    call check(index(page, '<Data ss:Type="Number">-1.2500000000000000E+01</Data>') > 0, &
               'the unit factor')
    call check(index(page, '<Data ss:Type="Number">1.2345678901000000E+10</Data>') > 0, &
               'a 64-bit integer')
    call check(index(page, '<Data ss:Type="Number">2.5000000000000001E-03</Data>') > 0, &
               'a single-precision real, times the unit factor')

    ! A table whose report was freed first answers .false.
    call report%open('module-freed.html', MF_HTML, ok=ok)
    call report%add_table(table, 'T', 'Table', 1)
    call table%add_column('A', 'First', MF_INTEGER)
    call table%begin_table()
    call report%free()
    call table%begin_record(ok)
    call check(.not. ok, 'a table outliving its report')
    call table%free()

    call mf_set_maker('', 'ACME', ok)
    call check(.not. ok, 'an empty maker name is refused')

    write (*, '(i0,a,i0,a)') passed, ' passed, ', failed, ' failed'
    if (failed > 0) stop 1

contains

    subroutine check(condition, what)
        logical, intent(in) :: condition
        character(len=*), intent(in) :: what
        if (condition) then
            passed = passed + 1
        else
            failed = failed + 1
            write (*, '(2a)') 'failed: ', what
        end if
    end subroutine check

    function file_text(name) result(text)
        character(len=*), intent(in) :: name
        character(len=:), allocatable :: text
        integer :: unit, bytes
        open (newunit=unit, file=name, access='stream', form='unformatted', status='old', &
              action='read')
        inquire (unit=unit, size=bytes)
        allocate (character(len=bytes) :: text)
        read (unit) text
        close (unit, status='delete')
    end function file_text

end program fortran_module_test
