! A Fortran program that takes the library as an outside project does: a
! heading and a one-record table in the file named by its argument.
program consumer
    use mfreport
    implicit none
    type(mf_device) :: report
    type(mf_table) :: table
    character(len=4096) :: file
    logical :: ok, all

    call get_command_argument(1, file)
    call report%open(file, MF_HTML, program='Consumer', ok=ok)
    if (.not. ok) error stop 1
    call report%heading('Results', 1)
    call report%add_table(table, 'T', 'Values', 2, all)
    call table%add_column('A', 'First', MF_INTEGER)
    call table%begin_table(ok)
    all = all .and. ok
    call table%begin_record()
    call table%insert(1, 42)
    call table%end_record(ok)
    all = all .and. ok
    call table%end_table()
    call table%free()
    call report%close(ok)
    call report%free()
    if (.not. (all .and. ok)) error stop 1
end program consumer
